// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/code_points.h"

#include <algorithm>

namespace keyloom {
namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether any of `text` is a surrogate; written to vectorise, as it runs over
// the lesson up to the line shown next at each ring advance. An or of
// 16-bit lanes, not a count: a count widens every lane to 64 bits and takes
// two to three times the instructions.
bool hasSurrogate(std::u16string_view text) {
    char16_t found = 0;
    for (const char16_t unit : text) {
        found |= static_cast<char16_t>((unit & 0xF800U) == 0xD800U ? 1U : 0U);
    }
    return found != 0;
}

} // namespace

std::size_t unitsOfFirst(std::u16string_view text, std::size_t count) {
    if (const std::size_t bmp = std::min(count, text.size()); !hasSurrogate(text.substr(0, bmp))) {
        return bmp; // the common case: one unit a character
    }
    std::size_t units = 0;
    for (std::size_t n = 0; n < count && units < text.size(); ++n) {
        const bool pair = isHighSurrogate(text[units]) && units + 1 < text.size() &&
                          isLowSurrogate(text[units + 1]);
        units += pair ? 2 : 1;
    }
    return units;
}

std::size_t codePointCount(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(isLowSurrogate(text[i]) && i > 0 && isHighSurrogate(text[i - 1]))) {
            ++count;
        }
    }
    return count;
}

std::u16string_view codePointSlice(std::u16string_view text, std::size_t first, std::size_t count) {
    text.remove_prefix(unitsOfFirst(text, first));
    return text.substr(0, unitsOfFirst(text, count));
}

char32_t firstCodePoint(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text.size() >= 2 && isHighSurrogate(text[0]) && isLowSurrogate(text[1])) {
        constexpr char32_t kSupplementaryStart = 0x10000;
        return kSupplementaryStart + ((static_cast<char32_t>(text[0]) - 0xD800U) << 10U) +
               (static_cast<char32_t>(text[1]) - 0xDC00U);
    }
    return text[0];
}

std::size_t unitsOfLast(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    const std::size_t size = text.size();
    return size >= 2 && isLowSurrogate(text[size - 1]) && isHighSurrogate(text[size - 2]) ? 2 : 1;
}

} // namespace keyloom
