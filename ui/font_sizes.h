// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"
#include "ui/pixels.h"

namespace keyloom {

// The em height in pixels of each font role at `dpi`: 16 px for the rows and
// marks (12 pt), 14 px for the value boxes (10.5 pt) and 12 px for the rest
// (180 twips a full-width character) at 96 dpi.
inline int fontPixels(FontRole role, int dpi = kDesignDpi) {
    int pixels = 12;
    switch (role) {
    case FontRole::Row: pixels = 16; break;
    case FontRole::Value: pixels = 14; break;
    case FontRole::Standard: break;
    }
    return static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / kDesignDpi));
}

// How far below a row's top its baseline lies: the ideographic em box of the
// CJK fonts stands 0.88 em above the baseline, so the glyphs fill the label's
// height exactly, whatever taller line box the font has.
inline int baselineBelowTop(FontRole role, int dpi = kDesignDpi) {
    constexpr double kEmAboveBaseline = 0.88;
    return static_cast<int>(std::lround(kEmAboveBaseline * fontPixels(role, dpi)));
}

} // namespace keyloom
