// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "practice/counter.h"

#include <string>
#include <string_view>

namespace keyloom {

// Geometry of the two rings of rows.
constexpr Counter kRowWidth = 44; // characters a row
constexpr Counter kRingSize = 8;  // rows a pane
constexpr Twips kRowPitch = 350;  // Top of row i is i * 350
constexpr Twips kRowLeft = 50;    // Left of every row label
constexpr Counter kRowsFilledAtLoad = 7;
constexpr Twips kCaretHeight = 250;

// Only lesson lines 0 to 744 can start within the 16-bit range, so a lesson
// never shows more than its first 32,780 characters.
constexpr std::size_t kShowableLessonChars = 32780;

// Ring row and column of the character with `index` characters before it.
constexpr Counter ringRowAt(Counter index) {
    return static_cast<Counter>((index / kRowWidth) % kRingSize);
}
constexpr Counter columnAt(Counter index) {
    return static_cast<Counter>(index % kRowWidth);
}

// Lesson line n: up to 44 characters (code points) of the lesson from 1-based
// position n * 44 + 1; empty past the end. Raises OverflowError when that position
// does not fit in 16 bits.
std::u16string lessonLine(const std::u16string& lessonText, Counter n);
// The same line, seen in place and never raising: for a look ahead that must
// not fail, as the line may never be shown.
std::u16string_view lessonLineView(std::u16string_view lessonText, Counter n);

} // namespace keyloom
