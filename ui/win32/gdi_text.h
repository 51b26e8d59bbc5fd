// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"
#include "ui/win32/gdi_fonts.h"

#include <string_view>
#include <windows.h>

namespace keyloom {

// Text in a role's font, with the characters beyond the BMP in its fallback
// font (SimSun-ExtB), which SimSun lacks: GDI picks no other font by itself.

// The width of `text` in pixels.
int measureText(HDC dc, const GdiFonts& fonts, FontRole role, std::u16string_view text);

// Draws `text` from `x` on `baseline` (TA_BASELINE), clipped to `clip`.
void drawText(HDC dc, const GdiFonts& fonts, FontRole role, int x, int baseline, const RECT& clip,
              std::u16string_view text);

} // namespace keyloom
