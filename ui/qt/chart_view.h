// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/chart.h"

#include <QWidget>
#include <functional>

namespace keyloom {

// Paints a chart made for the widget's size, in Qt's logical pixels (96 dpi).
class ChartView : public QWidget {
  public:
    using ChartMaker = std::function<Chart(int width, int height, int dpi)>;
    ChartView(ChartMaker make, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ChartMaker make_;
};

} // namespace keyloom
