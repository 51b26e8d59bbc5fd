// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/chart.h"

#include <windows.h>

namespace keyloom {

// Paints `chart` into `box` of `dc`, its labels in `font`.
void paintChart(HDC dc, const RECT& box, const Chart& chart, HFONT font);

} // namespace keyloom
