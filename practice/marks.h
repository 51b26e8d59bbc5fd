// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

namespace keyloom {

// A mark covers one scored character in the reference pane: green with Tag
// "1" when it was right, red with Tag "0" when it was wrong.
constexpr Colour kRightColour = 0x00FF00;
constexpr Colour kWrongColour = 0x0000FF;
inline constexpr char16_t kRightTag[] = u"1";
inline constexpr char16_t kWrongTag[] = u"0";

inline constexpr char16_t kRightCaption[] = u"对：";
inline constexpr char16_t kWrongCaption[] = u"错：";

// The place right after a label, where the caret stands behind it.
inline Twips rightEdge(const Label& label) {
    return label.left + label.width;
}

} // namespace keyloom
