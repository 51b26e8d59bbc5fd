// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "data/data_folder.h"
#include "tests/support/lesson_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace keyloom::test {
namespace {

TEST(DataFolder, BesideTheProgramFirstThenTheInstalledShareFolder) {
    struct Case {
        const char* what;
        std::vector<std::string> folders; // made under the root
        std::string file;                 // a plain file made under the root
        std::string programDir;           // relative to the root
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases{
        {"lessons beside the program",
         {"usr/lib/keyloom/lessons"},
         "",
         "usr/lib/keyloom",
         "usr/lib/keyloom"},
        {"codes alone beside the program",
         {"usr/lib/keyloom/codes"},
         "",
         "usr/lib/keyloom",
         "usr/lib/keyloom"},
        {"installed",
         {"usr/share/keyloom/lessons", "usr/share/keyloom/codes"},
         "",
         "usr/lib/keyloom",
         "usr/share/keyloom"},
        {"installed, the program's folder with a trailing separator",
         {"usr/share/keyloom/codes"},
         "",
         "usr/lib/keyloom/",
         "usr/share/keyloom"},
        {"both: beside the program wins",
         {"usr/lib/keyloom/lessons", "usr/share/keyloom/lessons"},
         "",
         "usr/lib/keyloom",
         "usr/lib/keyloom"},
        {"a file named lessons is no data",
         {"usr/lib/keyloom"},
         "usr/lib/keyloom/lessons",
         "usr/lib/keyloom",
         std::nullopt},
        {"share/keyloom without data",
         {"usr/share/keyloom/txt"},
         "",
         "usr/lib/keyloom",
         std::nullopt},
        {"nothing installed", {}, "", "usr/lib/keyloom", std::nullopt},
    };
    for (const Case& c : cases) {
        const LessonFolder root;
        const std::filesystem::path& dir = root.programDir();
        for (const std::string& folder : c.folders) {
            std::filesystem::create_directories(dir / folder);
        }
        if (!c.file.empty()) {
            std::ofstream(dir / c.file) << "not a folder";
        }
        const std::optional<std::filesystem::path> found = dataFolder(dir / c.programDir);
        if (c.expected) {
            ASSERT_TRUE(found.has_value()) << c.what;
            EXPECT_EQ(found->lexically_normal(), (dir / *c.expected).lexically_normal()) << c.what;
        } else {
            EXPECT_EQ(found, std::nullopt) << c.what;
        }
    }
}

} // namespace
} // namespace keyloom::test
