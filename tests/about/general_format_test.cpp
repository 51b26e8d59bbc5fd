// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/general_format.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

TEST(GeneralFormatTest, HexTextBecomesDecimalAndAnythingElseStays) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"&h0000001A", u"26"},
        {u"&H7fffffff", u"2147483647"},
        {u"&h80000000", u"-2147483648"},
        {u"&h0000000000FF", u"255"},      // leading zeros beyond eight digits
        {u"&h100000000", u"&h100000000"}, // beyond 32 bits: not a 32-bit number
        {u"&h", u"&h"},
        {u"&hG1", u"&hG1"},
        {u"12", u"12"},
        {u"", u""},
    };
    for (const auto& [text, formatted] : cases) {
        EXPECT_EQ(formatGeneral(text), formatted);
    }
}

} // namespace
} // namespace keyloom
