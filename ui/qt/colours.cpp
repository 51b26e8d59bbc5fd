// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/colours.h"

#include "ui/qt/qt_geometry.h"

namespace keyloom {

QColor toQColor(Colour colour, const QColor& standard) {
    const std::optional<Rgb> rgb = designRgb(colour);
    return rgb ? toQColor(*rgb) : standard;
}

} // namespace keyloom
