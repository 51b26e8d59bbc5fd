// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace keyloom {

// The bytes without a UTF-8 sequence cut short at their end, when that
// sequence is a valid beginning of a character; otherwise the bytes whole,
// so that a strict decoder rejects what no continuation could mend.
std::string_view withoutCutUtf8Sequence(std::string_view bytes);

} // namespace keyloom
