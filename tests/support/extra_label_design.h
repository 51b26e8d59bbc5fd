// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"

#include <string_view>

namespace keyloom::test {

// The main window's design with one label more on its client area, which no
// handler names: red text at the top right.
const WindowDescription& frmMainWithExtraLabel();
inline constexpr std::string_view kExtraLabel = "lblExtra";
inline constexpr std::u16string_view kExtraCaption = u"提示在此";
// Its box in twips: 7200, 120, 1440 wide, 240 high.
inline constexpr Twips kExtraLeft = 7200;
inline constexpr Twips kExtraTop = 120;
inline constexpr Twips kExtraWidth = 1440;
inline constexpr Twips kExtraHeight = 240;

} // namespace keyloom::test
