// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plain_key_characters.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace keyloom {
namespace {

// The characters beyond ASCII whose full canonical decomposition starts with
// an ASCII letter (none starts with a digit or a space): Latin letters with
// accents, and the Kelvin and Angstrom signs. Derived from Unicode 14.0.0's
// decompositions, which are stable: a character, once encoded, keeps its
// decomposition. Compatibility forms (full-width Ａ, superscript ²) are not
// among them. The tests check the table against Qt's and Windows' own data.
constexpr std::array<std::pair<char32_t, char32_t>, 31> kAccentedLetters{{
    {0xC0, 0xC5},     {0xC7, 0xCF},   {0xD1, 0xD6},   {0xD9, 0xDD},     {0xE0, 0xE5},
    {0xE7, 0xEF},     {0xF1, 0xF6},   {0xF9, 0xFD},   {0xFF, 0x10F},    {0x112, 0x125},
    {0x128, 0x130},   {0x134, 0x137}, {0x139, 0x13E}, {0x143, 0x148},   {0x14C, 0x151},
    {0x154, 0x165},   {0x168, 0x17E}, {0x1A0, 0x1A1}, {0x1AF, 0x1B0},   {0x1CD, 0x1DC},
    {0x1DE, 0x1E1},   {0x1E6, 0x1ED}, {0x1F0, 0x1F0}, {0x1F4, 0x1F5},   {0x1F8, 0x1FB},
    {0x200, 0x21B},   {0x21E, 0x21F}, {0x226, 0x233}, {0x1E00, 0x1E99}, {0x1EA0, 0x1EF9},
    {0x212A, 0x212B},
}};

bool isAsciiLetterDigitOrSpace(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
           c == U' ';
}

} // namespace

bool comesFromPlainKey(char32_t c) {
    if (c < 0x80) {
        return isAsciiLetterDigitOrSpace(c);
    }
    const auto* range = std::ranges::upper_bound(
        kAccentedLetters, c, {}, [](const std::pair<char32_t, char32_t>& r) { return r.first; });
    return range != kAccentedLetters.begin() && c <= std::prev(range)->second;
}

} // namespace keyloom
