// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/progress.h"
#include "ui/colours.h"
#include "ui/pixels.h"

#include <string>
#include <vector>

namespace keyloom {

// A chart as both front ends draw it: a background, bars, lines (axes and
// data) and labels, in whole pixels from the chart's top left corner at a
// dpi. The binding only paints it.
struct ChartPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChartPoint&) const = default;
};
struct ChartBar {
    PixelRect box;
    Rgb colour;
};
struct ChartLine {
    std::vector<ChartPoint> points; // joined in order
    Rgb colour;
};
struct ChartLabel {
    ChartPoint topLeft;
    std::u16string text;
    Rgb colour;
};
struct Chart {
    Rgb background = kBlack;
    std::vector<ChartBar> bars;
    std::vector<ChartLine> lines;
    std::vector<ChartLabel> labels; // in the standard font
};

// The report's chart: each row's speed a bar across the width, the fastest
// full height, its speed in the top left corner.
Chart rowSpeedChart(const std::vector<double>& rowSpeeds, int width, int height, int dpi);

// The history's chart: each day's speed a bar, its accuracy a line over the
// bars (its scale 800‰ at the bottom to 1000‰ at the top), the newest days
// that fit, with the fastest speed and the first and last day written.
Chart progressChart(const std::vector<DayProgress>& days, int width, int height, int dpi);

} // namespace keyloom
