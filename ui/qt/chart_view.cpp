// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/chart_view.h"

#include "ui/qt/qt_strings.h"

#include <QPainter>
#include <QPolygon>

namespace keyloom {
namespace {

QColor colourOf(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace

ChartView::ChartView(ChartMaker make, QWidget* parent) : QWidget(parent), make_(std::move(make)) {}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
    const Chart chart = make_(width(), height(), kDesignDpi);
    QPainter painter(this);
    painter.fillRect(rect(), colourOf(chart.background));
    for (const ChartBar& bar : chart.bars) {
        painter.fillRect(QRect(bar.box.left, bar.box.top, bar.box.width(), bar.box.height()),
                         colourOf(bar.colour));
    }
    for (const ChartLine& line : chart.lines) {
        QPolygon points;
        for (const ChartPoint& p : line.points) {
            points << QPoint(p.x, p.y);
        }
        painter.setPen(colourOf(line.colour));
        painter.drawPolyline(points);
    }
    for (const ChartLabel& label : chart.labels) {
        painter.setPen(colourOf(label.colour));
        painter.drawText(QRect(label.topLeft.x, label.topLeft.y, width(), height()),
                         Qt::AlignLeft | Qt::AlignTop, toQString(label.text));
    }
}

} // namespace keyloom
