// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace keyloom {

// UTF-8 is the system code page of the desktops other than Windows.
// A lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
// Bytes that are not UTF-8 give no text at all, so a garbled path is never
// taken for another one.
std::u16string fromUtf8(std::string_view bytes);

} // namespace keyloom
