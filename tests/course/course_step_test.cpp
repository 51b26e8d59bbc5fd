// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Judging a finished segment with the report's figures, on a fake clock, and
// what comes after it.
#include "course/course_step.h"
#include "course/shuffle.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

using namespace std::chrono_literals;

// A run of one commit a character, a second apart, four keys each: 60
// characters a minute, 4 keys a second. `typed` is scored against
// `reference` (past its end: against nothing).
struct TypedRun {
    std::u32string reference;
    std::u32string typed;
    std::size_t lastCommit = 1; // characters the last commit brings
};

RunRecord recordOf(const TypedRun& run, std::chrono::nanoseconds& now) {
    RunRecord record([&now] { return now; });
    const std::size_t lastStart = run.typed.size() - run.lastCommit;
    for (std::size_t i = 0; i < run.typed.size(); ++i) {
        if (i <= lastStart) {
            for (int key = 0; key < 4; ++key) {
                record.countKeystroke();
            }
            now += 1s;
            record.beginCommit();
        }
        record.score(i < run.reference.size() ? run.reference[i] : RunRecord::kNoReference,
                     run.typed[i]);
    }
    return record;
}

struct JudgementCase {
    const char* name;
    TypedRun run;
    Target target;
    bool finished;
    bool met;
};

TEST(CourseJudgement, TheReportsFiguresAgainstTheTarget) {
    const JudgementCase cases[] = {
        {"all right, no target", {U"一二三", U"一二三"}, {}, true, true},
        {"not yet at the end", {U"一二三", U"一二"}, {.accuracy = 1000}, false, true},
        {"all right at 1000‰", {U"一二三", U"一二三"}, {.accuracy = 1000}, true, true},
        {"one wrong misses 1000‰", {U"一二三", U"一二四"}, {.accuracy = 1000}, true, false},
        {"one wrong of three meets 666‰", {U"一二三", U"一二四"}, {.accuracy = 666}, true, true},
        {"a commit past the end is judged on the segment's own characters",
         {U"一二三", U"一二三四五", 3},
         {.accuracy = 1000},
         true,
         true},
        {"the speed met",
         {U"一二三", U"一二三"},
         {.accuracy = 1000, .charactersPerMinute = 60},
         true,
         true},
        {"the speed missed",
         {U"一二三", U"一二三"},
         {.accuracy = 1000, .charactersPerMinute = 61},
         true,
         false},
        {"keys a second met", {U"一二三", U"一二三"}, {.keysPerSecond = 4.0}, true, true},
        {"keys a second missed", {U"一二三", U"一二三"}, {.keysPerSecond = 4.5}, true, false},
    };
    for (const JudgementCase& c : cases) {
        std::chrono::nanoseconds now{};
        const RunRecord record = recordOf(c.run, now);
        EXPECT_EQ(segmentFinished(record, c.run.reference.size()), c.finished) << c.name;
        const RunFigures figures = segmentFigures(record, c.run.reference.size());
        EXPECT_EQ(meetsTarget(figures, c.target), c.met) << c.name;
        EXPECT_LE(figures.characters, static_cast<int>(c.run.reference.size())) << c.name;
    }
}

TEST(CourseJudgement, TheFiguresAreTheReports) {
    std::chrono::nanoseconds now{};
    const RunRecord record = recordOf({U"一二三", U"一二四"}, now);
    const RunFigures judged = segmentFigures(record, 3);
    const RunFigures reported = computeFigures(record);
    EXPECT_EQ(resultLine(judged, u"K"), resultLine(reported, u"K"));
}

struct StepCase {
    const char* name;
    CourseOptions now;
    bool met;
    CourseOptions next;
};

TEST(CourseJudgement, WhatComesNext) {
    const CourseOptions third{.set = u"s", .segment = 3, .shuffle = true, .seed = 8};
    const auto at = [&](int segment, int attempt, std::uint64_t seed, const char16_t* previous) {
        CourseOptions options = third;
        options.segment = segment;
        options.attempt = attempt;
        options.seed = seed;
        options.previous = previous;
        return options;
    };
    CourseOptions secondTry = third;
    secondTry.attempt = 2;
    const StepCase cases[] = {
        {"met: the next segment, first attempt", third, true, at(4, 1, 8, u"达标 L")},
        {"missed: the same segment, next attempt", third, false, at(3, 2, 8, u"未达标 L")},
        {"met at the second attempt", secondTry, true, at(4, 1, 8, u"达标 L")},
        {"met at the last: the first of a new pass", at(5, 3, 8, u""), true,
         at(1, 1, nextSeed(8), u"达标 L")},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(afterJudgement(c.now, 5, c.met, u"L"), c.next) << c.name;
    }
    EXPECT_EQ(movedBy(third, 5, -1), at(2, 1, 8, u"")) << "Ctrl+Left";
    EXPECT_EQ(movedBy(at(1, 2, 8, u"x"), 5, -1), at(5, 1, 8, u"")) << "Ctrl+Left from the first";
    EXPECT_EQ(movedBy(third, 5, 0), at(3, 2, 8, u"")) << "F3";
    EXPECT_EQ(courseCaption(third, 5), u"s 第3/5段 无目标 第1次");
}

} // namespace
} // namespace keyloom
