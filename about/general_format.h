// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace keyloom {

// General formatting with no pattern of a value text: "&h" followed by one
// to eight hexadecimal digits is a 32-bit number and becomes its decimal
// text (eight digits read as two's complement, so "&hFFFFFFFF" is "-1");
// any other text is not a number and stays as it is.
std::u16string formatGeneral(std::u16string_view text);

} // namespace keyloom
