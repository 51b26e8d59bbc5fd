// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/report_journal.h"
#include "practice/frm_report.h"
#include "ui/win32/gdi_fonts.h"

#include <exception>
#include <memory>
#include <windows.h>

namespace keyloom {

// The practice report, a modal Win32 dialog built from its design: the
// figures, the wrong and the slowest characters, the chart of each row's
// speed, and "复制成绩(&C)", "练习错字(&D)", "确定" (Enter and Esc press it
// too) and, with a journal, "记入成绩(&S)". It shows the run as it was when it
// opened.
class ReportDialog {
  public:
    static constexpr int kCopyId = 201;
    static constexpr int kDrillId = 202;
    static constexpr int kSaveId = 203;

    ReportDialog(const RunRecord& record, DrillStarter startDrill, ReportJournal* journal,
                 const ReportCodes* codes = nullptr);

    // Runs the dialog until it is closed.
    void run(HWND owner);

  private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR failed(const std::exception& error) const;
    void build();
    void cmdCopy_Click() const;
    void cmdDrill_Click() const;
    void cmdSave_Click();
    void showSaveButton();
    void paintChart() const;

    const RunRecord& record_;
    ReportContent content_;
    DrillStarter startDrill_;
    ReportJournal* journal_;
    HWND save_ = nullptr;
    HWND saveTip_ = nullptr;
    HWND dialog_ = nullptr;
    RECT chart_{};
    std::unique_ptr<GdiFonts> fonts_;
};

// Opens the report over `owner` and returns when it closes.
// With `codes`, the report adds the ideal code length and the characters' codes.
void showReport(const RunRecord& record, const DrillStarter& startDrill, ReportJournal* journal,
                HWND owner, const ReportCodes* codes = nullptr);

} // namespace keyloom
