// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/text_decoding.h"

#include "text/utf8_cut.h"

#include <array>
#include <climits>
#include <stdexcept>
#include <windows.h>

namespace keyloom {
namespace {

constexpr UINT kGbkCodePage = 936;
constexpr char16_t kReplacement = u'\uFFFD';

int checkedLength(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long to decode");
    }
    return static_cast<int>(bytes.size());
}

// Decodes one character's bytes strictly; false if they are no character.
bool decodeOne(UINT codePage, std::string_view bytes, std::u16string& out) {
    std::array<wchar_t, 2> wide{};
    const int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                        checkedLength(bytes), wide.data(), wide.size());
    out.append(wide.begin(), wide.begin() + got);
    return got > 0;
}

} // namespace

std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes, bool more) {
    if (more) {
        bytes = withoutCutUtf8Sequence(bytes);
    }
    if (bytes.empty()) {
        return std::u16string();
    }
    const int length = checkedLength(bytes);
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length,
                        reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}

std::u16string decodeGbk(std::string_view bytes, bool more) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const bool lead = IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(bytes[i])) != 0;
        if (lead && i + 1 == bytes.size()) {
            if (!more) {
                text.push_back(kReplacement); // the trail byte never came
            }
            break;
        }
        const std::size_t length = lead ? 2 : 1;
        if (decodeOne(kGbkCodePage, bytes.substr(i, length), text)) {
            i += length;
        } else {
            // Only the first byte is spent: the next one may start a character.
            text.push_back(kReplacement);
            ++i;
        }
    }
    return text;
}

} // namespace keyloom
