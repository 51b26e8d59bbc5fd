// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The practice journal: "记入成绩" of a run of 32,767 characters (the median
// of nine saves, each a run of its own), and F7's history window read and
// drawn over 10,000 saved runs of 100 characters each (the median of three),
// with the growth of the peak resident set it took. Prints
// journal_save_ms=..., history_open_ms=... and history_peak_kib=...
#include "journal/journal_lines.h"
#include "journal/report_journal.h"
#include "tests/support/resident_set.h"
#include "ui/qt/history_dialog.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace keyloom;
constexpr int kCharacters = 32767;
constexpr int kSaves = 9;
constexpr int kRuns = 10'000;
constexpr int kCharactersPerRun = 100;
constexpr int kOpenings = 3;
constexpr WallTime kNow{1'796'000'000, 8 * 60};

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

// A run of 32,767 characters over 20,000 distinct ones, one in five wrong.
RunRecord fullRun(std::chrono::nanoseconds& now) {
    RunRecord record([&now] { return now; });
    record.countKeystroke();
    for (int i = 0; i < kCharacters; ++i) {
        now += std::chrono::milliseconds(400);
        record.beginCommit();
        const char32_t reference = U'一' + static_cast<char32_t>(i % 20000);
        record.score(reference, i % 5 == 0 ? U'?' : reference);
    }
    return record;
}

// 10,000 saved runs over the last 300 days, written a run at a time.
void writeJournal(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::ofstream runs(folder / kRunsFileName, std::ios::binary);
    std::ofstream characters(folder / kCharactersFileName, std::ios::binary);
    runs << runsHeader();
    characters << charactersHeader();
    for (int r = 0; r < kRuns; ++r) {
        JournalRun run;
        run.key = makeRunKey(1'770'000'000'000 + r * 1000LL, 4242);
        run.date = {kNow.utcSeconds - (kRuns - r) * 2600LL, kNow.offsetMinutes};
        run.text = "诗.txt";
        run.speed = 60 + r % 20;
        run.accuracy = 950 + r % 50;
        run.characters = 300;
        run.wrong = r % 15;
        run.typingSeconds = 300;
        std::string lines;
        for (int c = 0; c < kCharactersPerRun; ++c) {
            const char32_t character = U'一' + static_cast<char32_t>((r * 7 + c) % 3000);
            appendCharacterLine(lines, run.key, 1, {character, 3, (r + c) % 11 == 0 ? 1 : 0, 3.3});
        }
        characters << lines;
        runs << runLine(run);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::filesystem::path home = QFile::encodeName(dir.path()).toStdString();

    std::chrono::nanoseconds now{};
    const RunRecord record = fullRun(now);
    std::vector<double> saves;
    for (int i = 0; i < kSaves; ++i) {
        ReportJournal journal(u"诗.txt", home / "saves", [] { return kNow; });
        const Clock::time_point start = Clock::now();
        const std::u16string problem = journal.save(record);
        saves.push_back(millisSince(start));
        if (!problem.empty()) {
            std::fprintf(stderr, "the save failed\n");
            return 1;
        }
    }
    std::printf("journal_save_ms=%.1f\n", median(saves));

    writeJournal(home / "history");
    const long peakBefore = peakResidentKiB();
    std::vector<double> openings;
    for (int i = 0; i < kOpenings; ++i) {
        const Clock::time_point start = Clock::now();
        HistoryDialog history(
            home / "history", [] { return kNow; }, {}, nullptr);
        history.show();
        history.repaint(); // drawn, now
        openings.push_back(millisSince(start));
    }
    std::printf("history_open_ms=%.1f\n", median(openings));
    std::printf("history_peak_kib=%ld\n", peakResidentKiB() - peakBefore);
    return 0;
}
