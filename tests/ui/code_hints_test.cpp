// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hint table a run starts with from the active input method: only while
// nothing else was chosen, and only a table that is there.
#include "tests/support/lesson_folder.h"
#include "ui/code_hints.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace keyloom {
namespace {

TEST(CodeHintsTest, TheActiveInputMethodChoosesOnlyWhatNothingElseChose) {
    const struct {
        const char* what;
        const char* hintOption; // --hint TABLE, or none
        int f6Presses;
        const char* inputMethod;
        bool chosen;
        std::string choiceName;
    } cases[] = {
        {"Wubi active", nullptr, 0, "wbx", true, "五笔86"},
        {"a method no table of ours types", nullptr, 0, "rime", false, ""},
        {"a table that is not there", nullptr, 0, "pinyin", false, ""},
        {"--hint wins", "拼音", 0, "wbx", false, "拼音"},
        {"F6 wins", nullptr, 1, "wbx", false, "五笔86"},
        {"F6 to no hint wins too", nullptr, 3, "wbx", false, "无提示"},
        {"--hint naming a table gone since: no hint", "gone", 0, "wbx", false, "无提示"},
    };
    const test::LessonFolder folder;
    std::ofstream(folder.programDir() / u8"五笔86.txt") << "中\tk\n";
    for (const auto& row : cases) {
        CodeHints hints([&folder] { return tableFiles(folder.programDir(), {}); }, u"中国");
        if (row.hintOption != nullptr) {
            EXPECT_EQ(hints.choose(row.hintOption), row.choiceName == row.hintOption) << row.what;
        }
        for (int i = 0; i < row.f6Presses; ++i) {
            hints.next();
        }
        EXPECT_EQ(hints.chooseForInputMethod(row.inputMethod), row.chosen) << row.what;
        EXPECT_EQ(hints.choiceName(), row.choiceName) << row.what;
        const std::vector<std::string> carried = hints.carriedOptions();
        EXPECT_EQ(carried.empty() ? "" : carried.back(),
                  row.choiceName == "无提示" ? "" : row.choiceName)
            << row.what;
    }
}

// The hint's place tells why a run handed a table gone since has no hint.
TEST(CodeHintsTest, ATableGoneSinceSaysSo) {
    const test::LessonFolder folder;
    CodeHints hints([&folder] { return tableFiles(folder.programDir(), {}); }, u"中国");
    EXPECT_FALSE(hints.choose("gone"));
    EXPECT_EQ(hints.line(0), (CodeHintLine{.table = u"无提示", .hint = u"没有码表“gone”"}));
}

// F6 pressed on while the table chosen before is still being read: that
// table never shows under the new choice.
TEST(CodeHintsTest, ATableLeftWhileBeingReadNeverShows) {
    const test::LessonFolder folder;
    std::ofstream(folder.programDir() / u8"五笔86.txt") << "中\tk\n";
    std::ofstream(folder.programDir() / u8"拼音.txt") << "中\tzhong\n";
    CodeHints hints([&folder] { return tableFiles(folder.programDir(), {}); }, u"中国");
    ASSERT_TRUE(hints.choose("拼音"));
    hints.next();
    EXPECT_EQ(hints.table(), nullptr);
    EXPECT_EQ(hints.line(0), (CodeHintLine{.table = u"无提示", .hint = {}}));
    hints.next();
    // A table that never comes fails the test rather than hangs it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (hints.table() == nullptr && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_NE(hints.table(), nullptr);
    EXPECT_EQ(hints.line(0), (CodeHintLine{.table = u"五笔86", .hint = u"中 k"}));
}

} // namespace
} // namespace keyloom
