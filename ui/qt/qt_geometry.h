// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/colours.h"
#include "ui/pixels.h"

#include <QColor>
#include <QRect>

namespace keyloom {

inline QRect toQRect(const PixelRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

inline QColor toQColor(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace keyloom
