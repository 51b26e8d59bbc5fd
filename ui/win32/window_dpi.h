// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

namespace keyloom {

// The dpi of the monitor a window is on (per-monitor aware through the
// program's manifest), or the screen's on systems without per-monitor dpi.
int windowDpi(HWND window);

// The outer size of a window whose client area is `client` pixels at `dpi`.
SIZE outerSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

// Gives a dialog the outer size for a client area of `client` pixels and
// centres it over its owner, or on the work area when it has none.
void centreOverOwner(HWND dialog, SIZE client, int dpi);

} // namespace keyloom
