#pragma once

#include "forms/controls.h"

#include <QPointF>
#include <QRectF>

namespace keyloom {

// The design's twips against Qt's logical pixels: 15 to a pixel at 96 dpi.
// Qt scales logical pixels on HiDPI screens, so the layout scales with them.
constexpr qreal kTwipsPerPixel = 15.0;

constexpr qreal toPixels(Twips twips) {
    return twips / kTwipsPerPixel;
}
constexpr Twips toTwips(qreal pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}

inline QRectF pixelRect(Twips left, Twips top, Twips width, Twips height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace keyloom
