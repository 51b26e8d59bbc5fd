// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace keyloom {
namespace {

constexpr Rgb kBarGreen{0x00, 0xC0, 0x00};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kAxisGrey{0x80, 0x80, 0x80};
constexpr int kMargin = 4;       // pixels at 96 dpi
constexpr int kLabelHeight = 14; // the standard font's line, at 96 dpi
constexpr int kNarrowestDay = 6; // a day's bar and gap, at 96 dpi
constexpr double kAccuracyFloor = 800;
constexpr double kAccuracyTop = 1000;

int scaled(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / kDesignDpi));
}

std::u16string ascii(const std::string& text) {
    return {text.begin(), text.end()};
}

std::u16string whole(double value) {
    return ascii(std::to_string(std::lround(value)));
}

// Bars side by side in `area`, each at its share of `highest`.
void addBars(Chart& chart, const std::vector<double>& values, double highest, PixelRect area) {
    const auto count = static_cast<int>(values.size());
    for (int i = 0; i < count; ++i) {
        const double value = values[static_cast<std::size_t>(i)];
        const int height =
            highest > 0 ? static_cast<int>(std::lround(value / highest * area.height())) : 0;
        const int left = area.left + area.width() * i / count;
        const int right = std::max(left + 1, area.left + area.width() * (i + 1) / count - 1);
        chart.bars.push_back({{left, area.bottom - height, right, area.bottom}, kBarGreen});
    }
}

} // namespace

Chart rowSpeedChart(const std::vector<double>& rowSpeeds, int width, int height, int dpi) {
    Chart chart;
    if (rowSpeeds.empty()) {
        return chart;
    }
    const int margin = scaled(kMargin, dpi);
    const double fastest = *std::ranges::max_element(rowSpeeds);
    addBars(chart, rowSpeeds, fastest, {margin, margin, width - margin, height});
    chart.labels.push_back({{margin, margin}, whole(fastest), kWhite});
    return chart;
}

Chart progressChart(const std::vector<DayProgress>& days, int width, int height, int dpi) {
    Chart chart;
    if (days.empty()) {
        return chart;
    }
    const int margin = scaled(kMargin, dpi);
    const int labelHeight = scaled(kLabelHeight, dpi);
    const PixelRect area{margin, margin + labelHeight, width - margin,
                         height - margin - labelHeight};
    if (area.empty()) {
        return chart;
    }
    const auto fit =
        static_cast<std::size_t>(std::max(1, area.width() / scaled(kNarrowestDay, dpi)));
    const std::size_t first = days.size() > fit ? days.size() - fit : 0;
    std::vector<double> speeds;
    for (std::size_t i = first; i < days.size(); ++i) {
        speeds.push_back(days[i].speed);
    }
    const double fastest = *std::ranges::max_element(speeds);
    addBars(chart, speeds, fastest, area);

    ChartLine accuracy{{}, kYellow};
    for (std::size_t i = first; i < days.size(); ++i) {
        const ChartBar& bar = chart.bars[i - first];
        const double share = std::clamp(
            (days[i].accuracy - kAccuracyFloor) / (kAccuracyTop - kAccuracyFloor), 0.0, 1.0);
        accuracy.points.push_back(
            {(bar.box.left + bar.box.right) / 2,
             area.bottom - static_cast<int>(std::lround(share * area.height()))});
    }
    chart.lines.push_back(std::move(accuracy));
    chart.lines.push_back({{{area.left, area.bottom}, {area.right, area.bottom}}, kAxisGrey});

    chart.labels.push_back({{margin, margin}, whole(fastest) + u" 字/分", kWhite});
    chart.labels.push_back(
        {{margin, area.bottom + 1}, ascii(days[first].day.substr(5)), kAxisGrey});
    if (days.size() - first > 1) {
        // The last day's label ends at the right edge: five characters "12-08".
        const int labelWidth = scaled(kLabelHeight, dpi) * 5 / 2;
        chart.labels.push_back({{area.right - labelWidth, area.bottom + 1},
                                ascii(days.back().day.substr(5)),
                                kAxisGrey});
    }
    return chart;
}

} // namespace keyloom
