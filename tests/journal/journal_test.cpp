// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal.h"
#include "journal/journal_lines.h"
#include "tests/support/lesson_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace keyloom {
namespace {

constexpr std::int64_t kNow = 1'796'000'000; // 2026-11-30T00:53:20Z
constexpr int kShanghai = 8 * 60;

WallClock fixedClock() {
    return [] { return WallTime{kNow, kShanghai}; };
}

// A journal in a folder of its own, removed with it.
struct TemporaryJournal {
    test::LessonFolder home;
    std::unique_ptr<JournalFiles> files = journalFiles(home.programDir() / "journal");
    Journal journal{*files, fixedClock()};

    [[nodiscard]] std::filesystem::path path(std::string_view name) const {
        return files->folder() / name;
    }
    void writeRaw(std::string_view name, std::string_view bytes) const {
        std::filesystem::create_directories(files->folder());
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    [[nodiscard]] std::string readRaw(std::string_view name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

JournalEntry entry(std::string key, std::int64_t revision, std::int64_t date,
                   std::vector<JournalCharacter> characters) {
    JournalEntry e;
    e.run = {std::move(key),
             revision,
             {date, kShanghai},
             "诗.txt",
             62,
             52,
             3.41,
             3.31,
             985,
             131,
             2,
             2,
             434,
             false,
             0.25,
             127.25};
    e.characters = std::move(characters);
    return e;
}

void expectSameRun(const JournalRun& a, const JournalRun& b) {
    EXPECT_EQ(a.key, b.key);
    EXPECT_EQ(a.revision, b.revision);
    EXPECT_EQ(a.date.utcSeconds, b.date.utcSeconds);
    EXPECT_EQ(a.date.offsetMinutes, b.date.offsetMinutes);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.speed, b.speed);
    EXPECT_EQ(a.netSpeed, b.netSpeed);
    EXPECT_DOUBLE_EQ(a.keysPerSecond, b.keysPerSecond);
    EXPECT_DOUBLE_EQ(a.keysPerCharacter, b.keysPerCharacter);
    EXPECT_EQ(a.accuracy, b.accuracy);
    EXPECT_EQ(a.characters, b.characters);
    EXPECT_EQ(a.wrong, b.wrong);
    EXPECT_EQ(a.corrections, b.corrections);
    EXPECT_EQ(a.keystrokes, b.keystrokes);
    EXPECT_EQ(a.keystrokesEstimated, b.keystrokesEstimated);
    EXPECT_DOUBLE_EQ(a.phraseRate, b.phraseRate);
    EXPECT_DOUBLE_EQ(a.typingSeconds, b.typingSeconds);
}

TEST(Journal, EveryFigureAndCharacterComesBackAsSaved) {
    TemporaryJournal t;
    JournalEntry first = entry("1796000000000-41", 1, kNow - 90'000,
                               {{U'勤', 3, 1, 4.5}, {U'\U00020000', 1, 0, 0.125}});
    first.run.text = "剪贴板";
    JournalEntry second = entry("1796000000500-42", 1, kNow - 60, {{U'劳', 2, 2, 9.75}});
    second.run.text = "常用字前500 第3段";
    second.run.keystrokesEstimated = true;
    second.run.date.offsetMinutes = -(3 * 60 + 30);
    t.journal.save(first);
    t.journal.save(second);

    const JournalContents read = t.journal.read();
    EXPECT_EQ(read.skipped.total(), 0);
    ASSERT_EQ(read.runs.size(), 2U);
    expectSameRun(read.runs[0], second.run); // newest first
    expectSameRun(read.runs[1], first.run);
    ASSERT_EQ(read.characters.size(), 3U);
    EXPECT_EQ(read.characters[0].character, U'劳');
    EXPECT_EQ(read.characters[0].typed, 2);
    EXPECT_EQ(read.characters[0].wrong, 2);
    EXPECT_EQ(read.characters[1].character, U'勤');
    EXPECT_EQ(read.characters[2].character, U'\U00020000');
    EXPECT_TRUE(t.readRaw(kRunsFileName).starts_with("keyloom-runs/1\trun\t"));
    EXPECT_TRUE(t.readRaw(kCharactersFileName).starts_with("keyloom-characters/1\trun\t"));
}

// The files of a folder, passed through, with each append and whether it
// waited for the disk.
class RecordedFiles : public JournalFiles {
  public:
    explicit RecordedFiles(JournalFiles& files) : files_(files) {}
    std::vector<std::pair<std::string, AppendSync>> appends;

    [[nodiscard]] const std::filesystem::path& folder() const override { return files_.folder(); }
    std::unique_ptr<JournalLock> lock() override { return files_.lock(); }
    void append(std::string_view name, std::string_view header, std::string_view lines,
                AppendSync sync) override {
        appends.emplace_back(name, sync);
        files_.append(name, header, lines, sync);
    }
    std::unique_ptr<JournalReplacement> replace(std::string_view name) override {
        return files_.replace(name);
    }
    bool read(std::string_view name,
              const std::function<void(std::string_view piece)>& take) override {
        return files_.read(name, take);
    }

  private:
    JournalFiles& files_;
};

// A run line on the disk never names character lines a power cut took: they
// are on it first.
TEST(Journal, ASaveWaitsForTheDiskOnceBetweenItsCharacterLinesAndItsRunLine) {
    TemporaryJournal t;
    RecordedFiles files(*t.files);
    Journal(files, fixedClock()).save(entry("k-1", 1, kNow, {{U'勤', 1, 0, 1}}));
    using Sync = JournalFiles::AppendSync;
    const std::vector<std::pair<std::string, Sync>> expected = {
        {std::string(kCharactersFileName), Sync::toDisk}, {std::string(kRunsFileName), Sync::none}};
    EXPECT_EQ(files.appends, expected);
    EXPECT_EQ(t.journal.read().runs.size(), 1U);
}

TEST(Journal, ATabOrLineBreakInTheTextsNameCannotSplitItsLine) {
    TemporaryJournal t;
    JournalEntry e = entry("k-1", 1, kNow, {});
    e.run.text = "a\tb\nc\rd";
    t.journal.save(e);
    const JournalContents read = t.journal.read();
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].text, "a b c d");
    EXPECT_EQ(read.skipped.total(), 0);
}

TEST(Journal, ALaterRevisionReplacesTheRunAndItsCharacters) {
    TemporaryJournal t;
    t.journal.save(entry("k-1", 1, kNow - 100, {{U'勤', 1, 1, 2}}));
    t.journal.save(entry("k-1", 2, kNow - 50, {{U'勤', 4, 1, 6}, {U'劳', 1, 0, 1}}));
    const JournalContents read = t.journal.read();
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].revision, 2);
    ASSERT_EQ(read.characters.size(), 2U);
    EXPECT_EQ(read.characters[1].character, U'勤');
    EXPECT_EQ(read.characters[1].typed, 4); // not 5: the first save's line is replaced
    EXPECT_EQ(read.skipped.total(), 0);
}

TEST(Journal, NothingSavedReadsAsEmptyAndMakesNoFolder) {
    TemporaryJournal t;
    const JournalContents read = t.journal.read();
    EXPECT_TRUE(read.runs.empty());
    EXPECT_TRUE(read.characters.empty());
    EXPECT_EQ(read.skipped.total(), 0);
    EXPECT_FALSE(std::filesystem::exists(t.files->folder()));
}

// Lines as a learner's files may hold them after a power cut, a newer
// version of the program or an edit by hand: each bad line is skipped and
// counted, every good line read.
TEST(Journal, BadLinesAreSkippedAndCountedAndGoodOnesRead) {
    const std::string header(runsHeader());
    const std::string good = runLine(entry("good-1", 1, kNow - 10, {}).run);
    const std::string older = runLine(entry("good-2", 1, kNow - 5000, {}).run);
    const std::string goodCharacter = "1\tgood-1\t1\t勤\t3\t1\t2.500\n";
    struct Row {
        const char* name;
        std::string runs;
        std::string characters;
        std::size_t runsRead;
        std::int64_t charactersTyped; // of 勤
        SkippedLines skipped;
    };
    const Row rows[] = {
        {"a torn last line", header + good + good.substr(0, 30), goodCharacter, 1, 3, {.torn = 1}},
        {"a torn last character line",
         header + good,
         goodCharacter + "1\tgood-1\t1\t勤\t3",
         1,
         3,
         {.torn = 1}},
        {"a newer version's lines",
         header + "2\tgood-9\tnew\tfields\n" + good,
         goodCharacter + "7\tgood-1\t1\t勤\t1\t0\t1\tmore\n",
         1,
         3,
         {.newer = 2}},
        {"too few columns", header + "1\tgood-3\t1\n" + good, goodCharacter, 1, 3, {.damaged = 1}},
        {"too many columns",
         header + good.substr(0, good.size() - 1) + "\textra\n" + good,
         goodCharacter,
         1,
         3,
         {.damaged = 1}},
        {"bytes that are not UTF-8",
         header + "1\tgood-4\t1\t\xff\xfe\n" + good,
         goodCharacter + "1\tgood-1\t1\t\xe5\x8b\t1\t0\t1.000\n",
         1,
         3,
         {.damaged = 2}},
        {"not UTF-8 in a text's name, in a newer version's line",
         header + std::string(good).replace(good.find("诗"), 3, "\xe8\xaf") + good,
         goodCharacter + "2\tgood-1\t\xc3\n",
         1,
         3,
         {.damaged = 2}},
        {"a figure out of range",
         header + good + std::string(good).replace(good.find("985"), 3, "1985"),
         goodCharacter + "1\tgood-1\t1\t勤\t2\t3\t1.000\n",
         1,
         3,
         {.damaged = 2}},
        {"a character line whose run is gone",
         header + good,
         goodCharacter + "1\tgone-1\t1\t勤\t5\t5\t1.000\n",
         1,
         3,
         {.orphaned = 1}},
        {"a date in the future",
         header + good + runLine(entry("later-1", 1, kNow + std::int64_t{3} * 86400, {}).run),
         goodCharacter,
         1,
         3,
         {.future = 1}},
        {"dates out of order, CR LF line ends",
         header + good + older.substr(0, older.size() - 1) + "\r\n",
         goodCharacter,
         2,
         3,
         {}},
        {"no header, a blank line", "\n" + good, goodCharacter, 1, 3, {.damaged = 1}},
        {"a line longer than any record",
         header + std::string(200'000, 'x') + "\n" + good,
         goodCharacter,
         1,
         3,
         {.damaged = 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TemporaryJournal t;
        t.writeRaw(kRunsFileName, row.runs);
        t.writeRaw(kCharactersFileName, row.characters);
        const JournalContents read = t.journal.read();
        EXPECT_EQ(read.runs.size(), row.runsRead);
        ASSERT_FALSE(read.runs.empty());
        EXPECT_EQ(read.runs[0].key, "good-1");
        ASSERT_EQ(read.characters.size(), 1U);
        EXPECT_EQ(read.characters[0].typed, row.charactersTyped);
        EXPECT_EQ(read.skipped.torn, row.skipped.torn);
        EXPECT_EQ(read.skipped.newer, row.skipped.newer);
        EXPECT_EQ(read.skipped.damaged, row.skipped.damaged);
        EXPECT_EQ(read.skipped.orphaned, row.skipped.orphaned);
        EXPECT_EQ(read.skipped.future, row.skipped.future);
    }
}

TEST(Journal, ASaveAfterATornLineStartsALineOfItsOwn) {
    TemporaryJournal t;
    const std::string header(runsHeader());
    t.writeRaw(kRunsFileName, header + "1\ttorn-1\t1\t2026-");
    t.journal.save(entry("next-1", 1, kNow, {{U'勤', 1, 0, 1}}));
    const JournalContents read = t.journal.read();
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].key, "next-1");
    EXPECT_EQ(read.skipped.damaged, 1); // the torn line, now ended, stays unreadable
    EXPECT_EQ(read.characters.size(), 1U);
}

TEST(Journal, DeletingARunRemovesEverySaveOfItAndKeepsTheRest) {
    TemporaryJournal t;
    t.journal.save(entry("keep-1", 1, kNow - 20, {{U'勤', 1, 0, 1}}));
    t.journal.save(entry("drop-1", 1, kNow - 10, {{U'劳', 1, 1, 1}}));
    t.journal.save(entry("drop-1", 2, kNow - 5, {{U'劳', 2, 1, 2}}));
    std::ofstream(t.path(kRunsFileName), std::ios::app) << "hand-written note\n";

    t.journal.remove("drop-1");
    const JournalContents read = t.journal.read();
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].key, "keep-1");
    ASSERT_EQ(read.characters.size(), 1U);
    EXPECT_EQ(read.characters[0].character, U'勤');
    EXPECT_EQ(read.skipped.damaged, 1); // the note is kept as it was
    EXPECT_NE(t.readRaw(kRunsFileName).find("hand-written note\n"), std::string::npos);
    for (const auto& file : std::filesystem::directory_iterator(t.files->folder())) {
        EXPECT_NE(file.path().extension(), ".new") << file.path();
    }
}

// Where a save cannot land it says why, and nothing is half written.
TEST(Journal, AFolderThatCannotBeWrittenFailsTheSaveWithAReason) {
    struct Row {
        const char* name;
        void (*prepare)(const std::filesystem::path& folder);
    };
    const Row rows[] = {
        {"a file where the folder should be",
         [](const std::filesystem::path& folder) { std::ofstream(folder) << "x"; }},
        {"a folder inside a file",
         [](const std::filesystem::path& folder) { std::ofstream(folder.parent_path()) << "x"; }},
#ifndef _WIN32
        {"a full disk",
         [](const std::filesystem::path& folder) {
             std::filesystem::create_directories(folder);
             std::filesystem::create_symlink("/dev/full", folder / kCharactersFileName);
         }},
        {"a read-only folder",
         [](const std::filesystem::path& folder) {
             std::filesystem::create_directories(folder);
             std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
         }},
#endif
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::LessonFolder home;
        std::filesystem::path folder = home.programDir() / "journal";
        if (std::string_view(row.name) == "a folder inside a file") {
            folder = home.programDir() / "plain" / "journal";
        }
        row.prepare(folder);
#ifndef _WIN32
        if (std::string_view(row.name) == "a read-only folder" && ::geteuid() == 0) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            continue; // the superuser writes anyway
        }
#endif
        const auto files = journalFiles(folder);
        Journal journal(*files, fixedClock());
        try {
            journal.save(entry("k-1", 1, kNow, {{U'勤', 1, 0, 1}}));
            ADD_FAILURE() << "the save did not fail";
        } catch (const JournalError& error) {
            EXPECT_NE(std::string(error.what()).find(folder.filename().string()), std::string::npos)
                << error.what();
        }
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        EXPECT_FALSE(std::filesystem::exists(folder / kRunsFileName, ignored));
    }
}

#ifndef _WIN32
// Two programs saving at once: every run lands, and no line is mixed.
TEST(Journal, TwoProcessesSavingAtOnceBothLand) {
    TemporaryJournal t;
    constexpr int kRuns = 60;
    std::vector<JournalCharacter> many;
    for (char32_t c = U'一'; c < U'一' + 300; ++c) {
        many.push_back({c, 2, 1, 1.5});
    }
    const auto saveMany = [&](const char* prefix) {
        const auto files = journalFiles(t.files->folder());
        Journal journal(*files, fixedClock());
        for (int i = 0; i < kRuns; ++i) {
            journal.save(entry(prefix + std::to_string(i), 1, kNow, many));
        }
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        saveMany("child-");
        ::_exit(0);
    }
    saveMany("parent-");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const JournalContents read = t.journal.read();
    EXPECT_EQ(read.runs.size(), 2U * kRuns);
    EXPECT_EQ(read.skipped.total(), 0);
    ASSERT_EQ(read.characters.size(), many.size());
    EXPECT_EQ(read.characters[0].typed, 2 * 2 * kRuns);
}
#endif

// A character's seconds: plain decimals, read to the nearest double.
TEST(JournalLines, SecondsAreReadAsWrittenAndNothingElse) {
    struct Row {
        const char* text;
        std::optional<double> seconds;
    };
    const Row rows[] = {
        {"2.500", 2.5},
        {"0.1", 0.1},
        {"3", 3.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"123456789.123456", 123456789.123456},
        {"0.30000000000000004", 0.30000000000000004},
        {"1e3", std::nullopt},
        {"-1.0", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1000000001", std::nullopt},
        {".", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        CharacterRecord record;
        const LineKind kind =
            parseCharacterLine(std::string("1\tk-1\t1\t勤\t3\t1\t") + row.text, record);
        EXPECT_EQ(kind == LineKind::record, row.seconds.has_value());
        if (row.seconds) {
            EXPECT_EQ(record.character.seconds, *row.seconds);
        }
    }
}

TEST(JournalLines, DatesKeepTheirLocalTimeAndOffset) {
    struct Row {
        WallTime time;
        const char* text;
    };
    const Row rows[] = {
        {{kNow, kShanghai}, "2026-11-30T08:53:20+08:00"},
        {{kNow, -(3 * 60 + 30)}, "2026-11-29T21:23:20-03:30"},
        {{0, 0}, "1970-01-01T00:00:00+00:00"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(formatDate(row.time), row.text);
        const auto parsed = parseDate(row.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->utcSeconds, row.time.utcSeconds);
        EXPECT_EQ(parsed->offsetMinutes, row.time.offsetMinutes);
    }
    for (const char* bad :
         {"2026-02-30T00:00:00+00:00", "2026-12-01T24:00:00+00:00", "2026-12-01 03:33:20+08:00",
          "2026-12-01T03:33:20+19:00", "2026-12-01T03:33:20Z"}) {
        EXPECT_FALSE(parseDate(bad)) << bad;
    }
}

} // namespace
} // namespace keyloom
