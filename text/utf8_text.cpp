// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/utf8_text.h"

namespace keyloom {
namespace {

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6U));
        out += static_cast<char>(0x80 | (cp & 0x3FU));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12U));
        out += static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (cp & 0x3FU));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18U));
        out += static_cast<char>(0x80 | ((cp >> 12U) & 0x3FU));
        out += static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (cp & 0x3FU));
    }
}

} // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (isHighSurrogate(cp) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10U) + (text[++i] - 0xDC00);
        } else if (isHighSurrogate(cp) || isLowSurrogate(cp)) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

// Decoded here rather than through the platform's converter: code tables
// decode a short text on each of their 100,000 lines.
std::optional<std::size_t> decodeUtf8(std::string_view bytes, std::span<char16_t> units) {
    if (units.size() < bytes.size()) {
        return std::nullopt;
    }
    std::size_t written = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            units[written++] = lead;
            ++i;
            continue;
        }
        const std::size_t length = lead < 0xC2   ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > bytes.size()) {
            return std::nullopt;
        }
        char32_t cp = lead & (0xFFU >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0U) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6U) | (next & 0x3FU);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[length] || isHighSurrogate(cp) || isLowSurrogate(cp) || cp > 0x10FFFF) {
            return std::nullopt;
        }
        if (cp >= 0x10000) {
            units[written++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10U));
            units[written++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FFU));
        } else {
            units[written++] = static_cast<char16_t>(cp);
        }
        i += length;
    }
    return written;
}

std::u16string fromUtf8(std::string_view bytes) {
    // No byte gives more than one unit.
    std::u16string text(bytes.size(), u'\0');
    const std::optional<std::size_t> units = decodeUtf8(bytes, text);
    text.resize(units.value_or(0));
    return text;
}

} // namespace keyloom
