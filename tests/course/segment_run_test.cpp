// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A segment run: finding its text by name, and its judgement once
// the last character is typed.
#include "course/segment_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace keyloom {
namespace {

namespace fs = std::filesystem;

class CourseFolder : public testing::Test {
  protected:
    CourseFolder() {
        fs::create_directories(places.sets);
        fs::create_directories(places.userTexts);
        write(places.sets / u8"常用字前500.txt", "的\n一\n是\n不\n了\n");
        write(places.userTexts / u8"诗.txt", "床前明月光");
        write(places.bundledLesson, "我们");
    }
    ~CourseFolder() override { fs::remove_all(root); }
    static void write(const fs::path& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    fs::path root =
        fs::temp_directory_path() / ("keyloom-course-" + std::to_string(std::random_device()()));
    LibraryPlaces places{
        .sets = root / "lessons", .userTexts = root / "txt", .bundledLesson = root / u8"文档.txt"};
};

TEST_F(CourseFolder, ATextIsFoundByItsNameOnly) {
    EXPECT_TRUE(locateText(places, u"常用字前500").isSet);
    EXPECT_EQ(locateText(places, u"诗").path, places.userTexts / u8"诗.txt");
    EXPECT_EQ(locateText(places, u"文档").path, places.bundledLesson);
    for (const std::u16string_view name : {u"没有", u"../lessons/常用字前500", u"..", u"a/b"}) {
        EXPECT_THROW((void)locateText(places, name), CourseError);
    }
    // A set named but missing from a broken installation.
    fs::remove(places.sets / u8"常用字前500.txt");
    EXPECT_THROW(SegmentRun({.set = u"常用字前500"}, places), CourseError);
}

TEST_F(CourseFolder, TheLastCharacterTypedJudgesTheSegmentOnce) {
    std::chrono::nanoseconds now{};
    RunRecord record([&now] { return now; });
    SegmentRun run({.set = u"常用字前500", .length = 2, .segment = 3, .target = {.accuracy = 1000}},
                   places);
    EXPECT_EQ(run.text(), u"了");
    EXPECT_EQ(run.caption(), u"常用字前500 第3/3段 正确率≥1000‰ 第1次");
    EXPECT_EQ(run.lastAttemptLine(), u"");

    record.score(U'了', U'了');
    now = std::chrono::seconds(2);
    const auto next = run.judge(record);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->segment, 1); // after the last: the first again
    EXPECT_TRUE(next->previous.starts_with(u"达标 速度"));
    EXPECT_EQ(run.lastAttemptLine(), next->previous);
    EXPECT_FALSE(run.judge(record).has_value()); // once

    const SegmentRun again(*next, places);
    EXPECT_EQ(again.lastAttemptLine(), next->previous);
    EXPECT_EQ(again.after(0).attempt, 2);
    EXPECT_EQ(again.after(-1).segment, 3);
}

} // namespace
} // namespace keyloom
