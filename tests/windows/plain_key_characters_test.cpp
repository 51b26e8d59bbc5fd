// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The refusal of accented letters agrees with Windows' own Unicode data.
#include "ui/plain_key_characters.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace keyloom {
namespace {

// Whether Windows' canonical decomposition of `c` starts with an ASCII
// letter, digit or space.
bool decomposesToPlainKey(char32_t c) {
    std::wstring text;
    if (c >= 0x10000) {
        text = {static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10U)),
                static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FFU))};
    } else {
        text = {static_cast<wchar_t>(c)};
    }
    wchar_t out[32]{};
    const int length =
        NormalizeString(NormalizationD, text.data(), static_cast<int>(text.size()), out, 32);
    const wchar_t first = length > 0 ? out[0] : L'\0';
    return (first >= L'a' && first <= L'z') || (first >= L'A' && first <= L'Z') ||
           (first >= L'0' && first <= L'9') || first == L' ';
}

TEST(PlainKeyCharacters, AgreeWithWindows) {
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        ASSERT_EQ(comesFromPlainKey(c), decomposesToPlainKey(c))
            << std::hex << "U+" << static_cast<unsigned>(c);
    }
}

} // namespace
} // namespace keyloom
