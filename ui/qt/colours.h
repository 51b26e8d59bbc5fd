// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

#include <QColor>
#include <QPalette>

namespace keyloom {

// A design colour (0x00BBGGRR, or 0x800000nn for system colour nn) as Qt's;
// `standard` stands for an element that stores no colour of its own.
QColor toQColor(Colour colour, const QColor& standard);

} // namespace keyloom
