// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The code tables' costs: reading Wubi 86 with all its words (the median of
// several reads, in wall and processor time), what both tables hold resident once read, and the
// ideal split of a lesson of 32,780 characters. Prints name=value lines for scripts/bench:
//   bench_codes CODES_FOLDER
#include "codes/ideal_split.h"
#include "codes/table_files.h"
#include "tests/support/resident_set.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReads = 9;
constexpr std::size_t kLessonChars = 32780;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::filesystem::path tableIn(const std::filesystem::path& folder, std::string_view name) {
    return folder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// A lesson of our own prose, repeated to the length a lesson can show.
std::u16string longLesson() {
    const std::u16string prose =
        u"清晨的小河边，老人们慢慢地走着，孩子们在草地上追着风筝跑。"
        u"我们学习打字，是为了把心里想的话更快地写下来，也为了工作更加方便。"
        u"春天到了，山上的花一片一片地开，田里的农民开始忙着播种。";
    std::u16string text;
    while (text.size() < kLessonChars) {
        text += prose;
    }
    text.resize(kLessonChars);
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_codes CODES_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    const std::filesystem::path wubi = tableIn(folder, "五笔86.txt");
    const std::filesystem::path pinyin = tableIn(folder, "拼音.txt");

    std::vector<double> loads;
    // The processor time too, which a host busy with other work leaves as it is.
    std::vector<double> loadsCpu;
    for (int i = 0; i < kReads; ++i) {
        const auto start = Clock::now();
        const std::clock_t startCpu = std::clock();
        const keyloom::TableReading reading = keyloom::readCodeTableFile(wubi);
        loads.push_back(millisSince(start));
        loadsCpu.push_back(1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
        if (!reading.table) {
            std::fprintf(stderr, "cannot read %s\n", wubi.string().c_str());
            return 1;
        }
    }

    const long before = keyloom::residentKiB();
    std::optional<keyloom::CodeTable> wubiTable = keyloom::readCodeTableFile(wubi).table;
    std::optional<keyloom::CodeTable> pinyinTable = keyloom::readCodeTableFile(pinyin).table;
    const long after = keyloom::residentKiB();

    const std::u16string lesson = longLesson();
    std::vector<double> splits;
    std::size_t keys = 0;
    for (int i = 0; i < kReads; ++i) {
        const auto start = Clock::now();
        const keyloom::IdealSplit split(*wubiTable, lesson);
        keys += split.totals().keys;
        splits.push_back(millisSince(start));
    }
    std::printf(
        "codes_load_ms=%.1f\ncodes_load_cpu_ms=%.1f\ncodes_rss_kib=%ld\ncodes_split_ms=%.1f\n",
        median(loads), median(loadsCpu), after - before, median(splits));
    return keys > 0 && pinyinTable ? 0 : 1;
}
