// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/general_format.h"

#include <cstdint>
#include <optional>

namespace keyloom {
namespace {

std::optional<std::uint32_t> hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return std::nullopt;
}

} // namespace

std::u16string formatGeneral(std::u16string_view text) {
    constexpr std::size_t kMaxDigits = 8;
    std::u16string_view digits = text;
    if (!(digits.starts_with(u"&h") || digits.starts_with(u"&H"))) {
        return std::u16string(text);
    }
    digits.remove_prefix(2);
    while (digits.size() > kMaxDigits && digits.front() == u'0') {
        digits.remove_prefix(1); // leading zeros do not count against the width
    }
    if (digits.empty() || digits.size() > kMaxDigits) {
        return std::u16string(text);
    }
    std::uint32_t value = 0;
    for (const char16_t c : digits) {
        const std::optional<std::uint32_t> digit = hexDigit(c);
        if (!digit) {
            return std::u16string(text);
        }
        value = value << 4U | *digit;
    }
    const std::string decimal = std::to_string(static_cast<std::int32_t>(value));
    return {decimal.begin(), decimal.end()};
}

} // namespace keyloom
