// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/scene.h"
#include "ui/win32/gdi_fonts.h"

#include <vector>
#include <windows.h>

namespace keyloom {

inline RECT toRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline COLORREF toColorRef(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// A colour of the designs as GDI's; `standard` where the platform's shows.
COLORREF toColorRef(Colour colour, COLORREF standard);

// The client area whose drawing the scene's last update changed.
HRGN changedRegion(const std::vector<SceneChange>& changes);

// Paints the scene's items that meet the DC's clip region, in order.
void paintScene(HDC dc, const Scene& scene, const GdiFonts& fonts);

} // namespace keyloom
