#pragma once

#include <windows.h>

namespace keyloom {

// The dpi of the monitor a window is on (per-monitor aware through the
// program's manifest), or the screen's on systems without per-monitor dpi.
int windowDpi(HWND window);

// The outer size of a window whose client area is `client` pixels at `dpi`.
SIZE outerSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

} // namespace keyloom
