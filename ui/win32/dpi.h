#pragma once

#include "forms/controls.h"

#include <cmath>
#include <windows.h>

namespace keyloom {

// The design's twips against device pixels: 1440 twips to an inch, so 15 to a
// pixel at 96 dpi and proportionally fewer at higher dpi.
constexpr int kDesignDpi = 96;
constexpr double kTwipsPerInch = 1440.0;

inline int toPixels(Twips twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

inline Twips pixelsToTwips(int pixels, int dpi) {
    return static_cast<Twips>(pixels * kTwipsPerInch / dpi);
}

// A rectangle given in twips, from its container's origin (also twips).
inline RECT pixelRect(Twips originX, Twips originY, Twips left, Twips top, Twips width,
                      Twips height, int dpi) {
    const Twips x = originX + left;
    const Twips y = originY + top;
    return {toPixels(x, dpi), toPixels(y, dpi), toPixels(x + width, dpi),
            toPixels(y + height, dpi)};
}

} // namespace keyloom
