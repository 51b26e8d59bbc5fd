// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/report_journal.h"
#include "practice/frm_report.h"

#include <QDialog>
#include <QPushButton>
#include <vector>

namespace keyloom {

// The practice report, built from its design: the figures, the wrong and the
// slowest characters, the chart, and "复制成绩(&C)", "练习错字(&D)" and
// "确定" (Enter and Esc press it too), and with a journal "记入成绩(&S)". It
// shows the run as it was when it opened; the practice goes on behind it.
class ReportDialog : public QDialog {
    Q_OBJECT

  public:
    ReportDialog(const RunRecord& record, DrillStarter startDrill, ReportJournal* journal,
                 QWidget* parent, const ReportCodes* codes = nullptr);

    void reject() override; // Esc and the close box press "确定"

  private:
    void cmdCopy_Click() const;
    void cmdDrill_Click() const;
    void cmdSave_Click();
    void showSaveButton();

    const RunRecord& record_;
    ReportContent content_;
    DrillStarter startDrill_;
    ReportJournal* journal_;
    QPushButton* save_ = nullptr;
};

// Opens the report modal over `parent` and returns when it closes.
// With `codes`, the report adds the ideal code length and the characters' codes.
void showReport(const RunRecord& record, const DrillStarter& startDrill, ReportJournal* journal,
                QWidget* parent, const ReportCodes* codes = nullptr);

} // namespace keyloom
