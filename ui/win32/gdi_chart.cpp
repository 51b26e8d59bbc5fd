// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/gdi_chart.h"

#include "ui/win32/dialog_builder.h"

#include <vector>

namespace keyloom {
namespace {

COLORREF colourOf(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

void fill(HDC dc, const RECT& box, Rgb colour) {
    SetBkColor(dc, colourOf(colour));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

} // namespace

void paintChart(HDC dc, const RECT& box, const Chart& chart, HFONT font) {
    fill(dc, box, chart.background);
    for (const ChartBar& bar : chart.bars) {
        fill(dc,
             RECT{box.left + bar.box.left, box.top + bar.box.top, box.left + bar.box.right,
                  box.top + bar.box.bottom},
             bar.colour);
    }
    for (const ChartLine& line : chart.lines) {
        std::vector<POINT> points;
        for (const ChartPoint& p : line.points) {
            points.push_back({box.left + p.x, box.top + p.y});
        }
        const HPEN pen = CreatePen(PS_SOLID, 1, colourOf(line.colour));
        const HGDIOBJ previous = SelectObject(dc, pen);
        Polyline(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ previous = SelectObject(dc, font);
    for (const ChartLabel& label : chart.labels) {
        SetTextColor(dc, colourOf(label.colour));
        const std::wstring text = controlText(label.text);
        TextOutW(dc, box.left + label.topLeft.x, box.top + label.topLeft.y, text.c_str(),
                 static_cast<int>(text.size()));
    }
    SelectObject(dc, previous);
}

} // namespace keyloom
