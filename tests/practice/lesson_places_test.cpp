// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/lesson_file.h"
#include "tests/support/lesson_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace keyloom::test {
namespace {

#ifndef _WIN32 // the user's data folder is a Unix desktop's; absolute paths differ on Windows
TEST(LessonPlaces, UserDataFolderFollowsTheBaseDirectoryRules) {
    struct Case {
        const char* what;
        const char* xdgDataHome;
        const char* home;
        std::filesystem::path expected;
    };
    const std::vector<Case> cases{
        {"XDG_DATA_HOME wins", "/data", "/home/u", "/data"},
        {"unset: HOME's .local/share", nullptr, "/home/u", "/home/u/.local/share"},
        {"empty: HOME's .local/share", "", "/home/u", "/home/u/.local/share"},
        {"relative: ignored", "rel/data", "/home/u", "/home/u/.local/share"},
        {"neither usable", nullptr, "", ""},
        {"no HOME", nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(userDataDirectory(c.xdgDataHome, c.home), c.expected) << c.what;
    }
}
#endif

TEST(LessonPlaces, UserFolderFirstThenBesideTheProgram) {
    EXPECT_EQ(lessonPlaces("/data", "/usr/lib/keyloom"),
              (std::vector<std::filesystem::path>{lessonPath("/data/keyloom"),
                                                  lessonPath("/usr/lib/keyloom")}));
    EXPECT_EQ(lessonPlaces("", "/opt/k"), std::vector<std::filesystem::path>{lessonPath("/opt/k")});
}

TEST(LessonPlaces, FirstExistingLessonIsFoundAndAMissingOneNamesEveryPlace) {
    LessonFolder user;
    LessonFolder program;
    const std::vector<std::filesystem::path> places{user.lessonFile(), program.lessonFile()};
    try {
        findLesson(places);
        ADD_FAILURE() << "found a lesson where there is none";
    } catch (const LessonFileError& error) {
        for (const auto& place : places) {
            EXPECT_NE(std::string(error.what()).find(place.string()), std::string::npos);
        }
    }
    program.write(std::string_view("abc"));
    EXPECT_EQ(findLesson(places), program.lessonFile()) << "the fallback";
    user.write(std::string_view("def"));
    EXPECT_EQ(findLesson(places), user.lessonFile()) << "the user's own first";
}

} // namespace
} // namespace keyloom::test
