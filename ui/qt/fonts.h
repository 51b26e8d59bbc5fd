// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

#include <QFont>

namespace keyloom {

// "宋体" where it is installed, else the CJK fonts Debian ships, sized in
// pixels so that a full-width character of the row font is 16 px (240 twips)
// wide whatever dpi the screen reports.
QFont fontFor(FontRole role);

} // namespace keyloom
