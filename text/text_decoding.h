// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

// Decoders backed by the platform's converter (iconv, or the Windows
// code-page API). `more` says the bytes are a prefix cut from a longer
// input: an incomplete sequence at their end is then left out instead of
// being judged.

// The text if the bytes are valid UTF-8, nothing otherwise.
std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes, bool more);

// GBK (code page 936); bytes that do not decode become U+FFFD.
std::u16string decodeGbk(std::string_view bytes, bool more);

} // namespace keyloom
