// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/ring.h"

#include "text/code_points.h"

namespace keyloom {

std::u16string lessonLine(const std::u16string& lessonText, Counter n) {
    checkedAdd(checkedMul(n, kRowWidth), 1); // raises where the line cannot start
    return std::u16string(lessonLineView(lessonText, n));
}

std::u16string_view lessonLineView(std::u16string_view lessonText, Counter n) {
    if (n < 0) {
        return {};
    }
    const std::size_t first = static_cast<std::size_t>(n) * static_cast<std::size_t>(kRowWidth);
    return codePointSlice(lessonText, first, kRowWidth);
}

} // namespace keyloom
