// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace keyloom {

// UTF-8 is the system code page of the desktops other than Windows.
// A lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
// Bytes that are not UTF-8 give no text at all, so a garbled path is never
// taken for another one.
std::u16string fromUtf8(std::string_view bytes);
// The same into `units`, for a caller decoding many short texts without a
// string each: how many units it wrote, none when `bytes` are not UTF-8 or
// `units` holds fewer than `bytes.size()` (no byte gives more than one unit).
std::optional<std::size_t> decodeUtf8(std::string_view bytes, std::span<char16_t> units);

} // namespace keyloom
