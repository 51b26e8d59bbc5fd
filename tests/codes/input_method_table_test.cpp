// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The table of ours an input method types the codes of, by the name fcitx5
// or IBus gives it.
#include "codes/input_method_table.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

TEST(InputMethodTableTest, TheTableWhoseCodesTheMethodTypes) {
    const struct {
        const char* inputMethod;
        const char* table;
    } cases[] = {
        {"wbx", "五笔86"},                 // fcitx5's Wubi
        {"wbpy", "五笔86"},                // Wubi with pinyin: the same Wubi codes
        {"table:wubi-jidian86", "五笔86"}, // an IBus table engine
        {"WuBi86", "五笔86"},
        {"table:wubi98", ""}, // Wubi 98 codes differ
        {"pinyin", "拼音"},
        {"libpinyin", "拼音"},
        {"shuangpin", ""},
        {"libpinyin-double", ""},
        {"libbopomofo", ""},
        {"rime", ""}, // its schema could be anything
        {"keyboard-us", ""},
        {"", ""},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(tableForInputMethod(row.inputMethod), row.table) << row.inputMethod;
    }
}

} // namespace
} // namespace keyloom
