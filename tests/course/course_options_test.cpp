// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The course's options as a user types them and as the hand-over carries them.
#include "course/course_options.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

constexpr std::uint64_t kFreshSeed = 99;

struct OptionsCase {
    const char* name;
    CourseArguments arguments;
    std::optional<CourseOptions> options; // none: no course
    const char* error = nullptr;          // a part of the message
};

TEST(CourseOptions, ParsedOrRefusedClearly) {
    const OptionsCase cases[] = {
        {"no --set: no course", {}, std::nullopt},
        {"the defaults: length 20, segment 1, no target",
         {.set = "常用字前500"},
         CourseOptions{.set = u"常用字前500", .seed = kFreshSeed}},
        {"everything given",
         {.set = "常用字前500",
          .length = "20",
          .segment = "3",
          .shuffle = true,
          .seed = "5",
          .target = "1000,60"},
         CourseOptions{.set = u"常用字前500",
                       .length = 20,
                       .segment = 3,
                       .shuffle = true,
                       .seed = 5,
                       .target = {.accuracy = 1000, .charactersPerMinute = 60}}},
        {"keys a second in the target, the whole text",
         {.set = "文档", .length = "全文", .target = "980,4.5"},
         CourseOptions{.set = u"文档",
                       .length = kWholeText,
                       .seed = kFreshSeed,
                       .target = {.accuracy = 980, .keysPerSecond = 4.5}}},
        {"--target 0: none",
         {.set = "a", .target = "0"},
         CourseOptions{.set = u"a", .seed = kFreshSeed}},
        {"what the last attempt left",
         {.set = "a", .attempt = "2", .previous = "未达标 x"},
         CourseOptions{.set = u"a", .seed = kFreshSeed, .attempt = 2, .previous = u"未达标 x"}},
        {"a length of 0", {.set = "a", .length = "0"}, std::nullopt, "段长"},
        {"a length of letters", {.set = "a", .length = "ten"}, std::nullopt, "段长"},
        {"a length with something after it", {.set = "a", .length = "10x"}, std::nullopt, "段长"},
        {"segment 0", {.set = "a", .segment = "0"}, std::nullopt, "段号"},
        {"a negative segment", {.set = "a", .segment = "-1"}, std::nullopt, "段号"},
        {"a target above 1000‰", {.set = "a", .target = "1001"}, std::nullopt, "目标"},
        {"a target with nothing after the comma",
         {.set = "a", .target = "1000,"},
         std::nullopt,
         "目标"},
        {"a target of words", {.set = "a", .target = "all"}, std::nullopt, "目标"},
        {"a target speed of .5", {.set = "a", .target = "1000,.5"}, std::nullopt, "目标"},
        {"a seed of letters", {.set = "a", .shuffle = true, .seed = "x"}, std::nullopt, "种子"},
        {"an empty name", {.set = ""}, std::nullopt, "课文名"},
        {"a name that is not UTF-8", {.set = "\xff\xfe"}, std::nullopt, "UTF-8"},
        {"a course option without --set", {.length = "10"}, std::nullopt, "--set"},
    };
    for (const OptionsCase& c : cases) {
        if (c.error != nullptr) {
            try {
                (void)parseCourseOptions(c.arguments, kFreshSeed);
                ADD_FAILURE() << c.name << ": accepted";
            } catch (const CourseError& error) {
                EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos)
                    << c.name << ": " << error.what();
            }
            continue;
        }
        const auto options = parseCourseOptions(c.arguments, kFreshSeed);
        EXPECT_EQ(options, c.options) << c.name;
        if (!options) {
            continue;
        }
        // The hand-over gives the same course back.
        const std::vector<std::string> line = courseArguments(*options);
        CourseArguments again;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::string& name = line[i];
            if (name == "--shuffle") {
                again.shuffle = true;
                continue;
            }
            const std::string& value = line.at(++i);
            (name == "--set"       ? again.set
             : name == "--length"  ? again.length
             : name == "--segment" ? again.segment
             : name == "--seed"    ? again.seed
             : name == "--target"  ? again.target
             : name == "--attempt" ? again.attempt
                                   : again.previous) = value;
        }
        // A seed matters only to a shuffle, and only then does it travel.
        EXPECT_EQ(parseCourseOptions(again, options->shuffle ? kFreshSeed + 1 : kFreshSeed),
                  options)
            << c.name;
    }
}

TEST(CourseOptions, TheTargetAsShown) {
    EXPECT_EQ(targetText({}), u"无目标");
    EXPECT_EQ(targetText({.accuracy = 1000}), u"正确率≥1000‰");
    EXPECT_EQ(targetText({.accuracy = 980, .charactersPerMinute = 60}),
              u"正确率≥980‰ 速度≥60字/分");
    EXPECT_EQ(targetText({.accuracy = 980, .keysPerSecond = 4.5}), u"正确率≥980‰ 击键≥4.5");
}

} // namespace
} // namespace keyloom
