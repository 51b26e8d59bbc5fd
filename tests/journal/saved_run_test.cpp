// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_lines.h"
#include "journal/saved_run.h"
#include "tests/support/lesson_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace keyloom {
namespace {

constexpr WallTime kNow{1'796'000'000, 8 * 60};

// 勤 right in 2 s, then 劳 typed as 捞 and 勤 right again in one commit of 3 s.
struct TypedRun {
    std::chrono::nanoseconds now{};
    RunRecord record{[this] { return now; }};

    TypedRun() {
        record.countKeystroke();
        now = std::chrono::seconds(2);
        record.beginCommit();
        record.score(U'勤', U'勤');
        now = std::chrono::seconds(5);
        record.beginCommit();
        record.score(U'劳', U'捞');
        record.score(U'勤', U'勤');
    }
    void typeMore() {
        now = std::chrono::seconds(6);
        record.beginCommit();
        record.score(RunRecord::kNoReference, U'他'); // past the lesson's end: not a character
    }
};

TEST(SavedRun, TheEntryHoldsEveryFigureAndEachReferenceCharactersCounts) {
    const TypedRun typed;
    const RunFigures figures = computeFigures(typed.record);
    const JournalEntry entry = journalEntry(typed.record, figures, u"诗.txt");
    EXPECT_EQ(entry.run.text, "诗.txt");
    EXPECT_EQ(entry.run.characters, 3);
    EXPECT_EQ(entry.run.wrong, 1);
    EXPECT_EQ(entry.run.accuracy, figures.accuracy);
    EXPECT_EQ(entry.run.speed, figures.speed);
    EXPECT_EQ(entry.run.keystrokes, 1);
    EXPECT_DOUBLE_EQ(entry.run.typingSeconds, 5);
    ASSERT_EQ(entry.characters.size(), 2U);
    EXPECT_EQ(entry.characters[0].character, U'劳');
    EXPECT_EQ(entry.characters[0].typed, 1);
    EXPECT_EQ(entry.characters[0].wrong, 1);
    EXPECT_DOUBLE_EQ(entry.characters[0].seconds, 1.5);
    EXPECT_EQ(entry.characters[1].character, U'勤');
    EXPECT_EQ(entry.characters[1].typed, 2);
    EXPECT_EQ(entry.characters[1].wrong, 0);
    EXPECT_DOUBLE_EQ(entry.characters[1].seconds, 3.5);
}

TEST(SavedRun, SavingAgainAddsNothingAndMoreTypingUpdatesTheSameRun) {
    test::LessonFolder home;
    const auto files = journalFiles(home.programDir());
    Journal journal(*files, [] { return kNow; });
    TypedRun typed;
    RunSaving saving;
    const auto entryNow = [&] {
        return journalEntry(typed.record, computeFigures(typed.record), u"剪贴板");
    };

    EXPECT_FALSE(saving.isSaved(entryNow()));
    EXPECT_EQ(saving.save(journal, entryNow(), kNow, 41), RunSaving::Outcome::saved);
    EXPECT_TRUE(saving.isSaved(entryNow()));
    EXPECT_EQ(saving.save(journal, entryNow(), kNow, 41), RunSaving::Outcome::alreadySaved);
    std::ifstream in(files->folder() / kRunsFileName);
    std::stringstream runsFile;
    runsFile << in.rdbuf();
    EXPECT_EQ(std::ranges::count(runsFile.str(), '\n'), 2); // the header and one run

    typed.typeMore();
    EXPECT_FALSE(saving.isSaved(entryNow()));
    EXPECT_EQ(saving.save(journal, entryNow(), {kNow.utcSeconds + 60, kNow.offsetMinutes}, 41),
              RunSaving::Outcome::saved);
    const JournalContents read = journal.read();
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].key, saving.key());
    EXPECT_EQ(read.runs[0].revision, 2);
    EXPECT_EQ(read.runs[0].characters, 4);
    EXPECT_EQ(read.runs[0].date.utcSeconds, kNow.utcSeconds + 60);
    EXPECT_EQ(read.skipped.total(), 0);
}

} // namespace
} // namespace keyloom
