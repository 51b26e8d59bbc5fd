// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/progress.h"
#include "journal/weakness.h"
#include "tests/support/lesson_folder.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

constexpr std::int64_t kNow = 1'796'000'000; // 2026-11-30T08:53:20+08:00
constexpr std::int64_t kDay = 86'400;
constexpr int kShanghai = 8 * 60;

struct SavedCharacter {
    double ageDays;
    std::int64_t typed;
    std::int64_t wrong;
    double seconds;
};

// Each saved run typed ten characters in ten seconds, so the learner's
// median is 1 s a character, and 勤 as given.
CharacterHistory historyOf(const std::vector<SavedCharacter>& saves) {
    test::LessonFolder home;
    const auto files = journalFiles(home.programDir());
    Journal journal(*files, [] { return WallTime{kNow, kShanghai}; });
    int n = 0;
    for (const SavedCharacter& save : saves) {
        JournalEntry e;
        e.run.key = "run-" + std::to_string(++n);
        e.run.date = {kNow - static_cast<std::int64_t>(save.ageDays * kDay), kShanghai};
        e.run.characters = 10;
        e.run.typingSeconds = 10;
        e.characters = {{U'勤', save.typed, save.wrong, save.seconds}};
        journal.save(e);
    }
    const JournalContents read = journal.read();
    EXPECT_DOUBLE_EQ(medianSecondsPerCharacter(read.runs), 1);
    return read.characters.at(0);
}

TEST(Weakness, ScoreWeighsErrorsAndSlownessAgainstTheMedianAndRecentRunsMore) {
    struct Row {
        const char* name;
        std::vector<SavedCharacter> saves;
        double score;
        bool weak;
    };
    const Row rows[] = {
        {"right at the learner's median pace", {{0, 4, 0, 4}}, 0, false},
        {"faster than the median", {{0, 4, 0, 2}}, 0, false},
        {"one in four wrong", {{0, 4, 1, 4}}, 0.5, true},
        {"half again as slow as the median", {{0, 2, 0, 3}}, 0.5, true},
        {"wrong and slow add up", {{0, 2, 1, 4}}, 2 * 0.5 + 1, true},
        {"wrong four weeks ago, right today",
         {{28, 1, 1, 1}, {0, 1, 0, 1}},
         2 * 0.25 / 1.25,
         false},
        {"right four weeks ago, wrong today", {{28, 1, 0, 1}, {0, 1, 1, 1}}, 2 * 1 / 1.25, true},
        {"two weeks old weighs half", {{14, 1, 1, 1}, {0, 1, 0, 1}}, 2 * 0.5 / 1.5, true},
        {"saved an hour ahead of the clock weighs as now",
         {{-1.0 / 24, 1, 1, 1}, {0, 1, 0, 1}},
         2 * 0.5,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CharacterHistory history = historyOf(row.saves);
        EXPECT_NEAR(weaknessScore(history, 1), row.score, 1e-4);
        EXPECT_EQ(weakCharacters({history}, 1).size(), row.weak ? 1U : 0U);
    }
}

TEST(Weakness, WeakestFirstAndTheDrillTakesThreeOfEachUpToAHundred) {
    std::vector<CharacterHistory> histories;
    for (char32_t c = U'一'; c < U'一' + 40; ++c) {
        // All wrong once in four; 丁 (the second) typed more often.
        const double typed = c == U'丁' ? 8 : 4;
        histories.push_back({c, static_cast<std::int64_t>(typed),
                             static_cast<std::int64_t>(typed / 4), typed, typed / 4, typed});
    }
    histories.push_back({U'劳', 2, 2, 2, 2, 2}); // always wrong: weakest
    histories.push_back({U'他', 5, 0, 5, 0, 5}); // not weak
    const std::vector<WeakCharacter> weak = weakCharacters(histories, 1);
    ASSERT_EQ(weak.size(), 41U);
    EXPECT_EQ(weak[0].character, U'劳');
    EXPECT_EQ(weak[0].typed, 2);
    EXPECT_EQ(weak[0].wrong, 2);
    EXPECT_EQ(weak[1].character, U'丁');
    EXPECT_EQ(weak[2].character, U'一');
    const std::u16string drill = weakDrill(weak);
    EXPECT_EQ(drill.size(), 99U);
    EXPECT_EQ(drill.substr(0, 9), u"劳劳劳丁丁丁一一一");
    EXPECT_TRUE(weakDrill({}).empty());
    EXPECT_EQ(weakDrill({{U'\U00020000', 1, 1, 2}}), u"\U00020000\U00020000\U00020000");
}

TEST(Progress, RunsGatherByTheirLocalDayAndTodayByTheClocks) {
    const auto run = [](std::int64_t utc, int offset, std::int64_t characters, std::int64_t wrong,
                        double seconds) {
        JournalRun r;
        r.date = {utc, offset};
        r.characters = characters;
        r.wrong = wrong;
        r.typingSeconds = seconds;
        return r;
    };
    // 2026-11-30T08:53:20+08:00 is still 2026-11-29 in New York.
    const std::vector<JournalRun> runs = {
        run(kNow, kShanghai, 100, 5, 60),
        run(kNow - 3600, kShanghai, 50, 0, 60),
        run(kNow, -5 * 60, 30, 3, 30),
        run(kNow - 2 * kDay, kShanghai, 0, 0, 0),
    };
    const std::vector<DayProgress> days = progressByDay(runs);
    ASSERT_EQ(days.size(), 3U);
    EXPECT_EQ(days[0].day, "2026-11-28");
    EXPECT_EQ(days[0].speed, 0);
    EXPECT_EQ(days[0].accuracy, 0);
    EXPECT_EQ(days[1].day, "2026-11-29");
    EXPECT_DOUBLE_EQ(days[1].speed, 60);
    EXPECT_DOUBLE_EQ(days[1].accuracy, 900);
    EXPECT_EQ(days[2].day, "2026-11-30");
    EXPECT_EQ(days[2].runs, 2);
    EXPECT_DOUBLE_EQ(days[2].speed, 75);
    EXPECT_DOUBLE_EQ(days[2].accuracy, 145.0 / 150 * 1000);

    const PracticeTotals totals = practiceTotals(runs, {kNow, kShanghai});
    EXPECT_EQ(totals.todayCharacters, 150);
    EXPECT_DOUBLE_EQ(totals.todaySeconds, 120);
    EXPECT_EQ(totals.allCharacters, 180);
    EXPECT_DOUBLE_EQ(totals.allSeconds, 150);
}

} // namespace
} // namespace keyloom
