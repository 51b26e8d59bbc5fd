// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace keyloom {

// A character of the practice is one Unicode code point: one UTF-16 unit, or
// two for a surrogate pair. A lone surrogate counts as a character of its own.

// The number of characters in `text`.
std::size_t codePointCount(std::u16string_view text);

// The UTF-16 units of the first `count` characters of `text` (all of it when
// it has fewer).
std::size_t unitsOfFirst(std::u16string_view text, std::size_t count);

// Up to `count` characters of `text` from character `first` (0-based).
std::u16string_view codePointSlice(std::u16string_view text, std::size_t first, std::size_t count);

// The code point of the first character of `text`; 0 for an empty text.
char32_t firstCodePoint(std::u16string_view text);

// The UTF-16 units of the last character of `text`: 0, 1 or 2.
std::size_t unitsOfLast(std::u16string_view text);

} // namespace keyloom
