// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/frm_report.h"

#include <QDialog>
#include <vector>

namespace keyloom {

// The chart of each row's speed: one bar a row of 44 characters.
class RowChart : public QWidget {
  public:
    RowChart(std::vector<double> rowSpeeds, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> speeds_;
};

// The practice report, built from its design: the figures, the wrong and the
// slowest characters, the chart, and "复制成绩(&C)", "练习错字(&D)" and
// "确定" (Enter and Esc press it too). It shows the run as it was when it
// opened; the practice goes on behind it.
class ReportDialog : public QDialog {
    Q_OBJECT

  public:
    ReportDialog(const RunRecord& record, DrillStarter startDrill, QWidget* parent,
                 const ReportCodes* codes = nullptr);

    void reject() override; // Esc and the close box press "确定"

  private:
    void cmdCopy_Click() const;
    void cmdDrill_Click() const;

    ReportContent content_;
    DrillStarter startDrill_;
};

// Opens the report modal over `parent` and returns when it closes.
// With `codes`, the report adds the ideal code length and the characters' codes.
void showReport(const RunRecord& record, const DrillStarter& startDrill, QWidget* parent,
                const ReportCodes* codes = nullptr);

} // namespace keyloom
