// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/frm_report.h"
#include "ui/win32/gdi_fonts.h"

#include <exception>
#include <memory>
#include <windows.h>

namespace keyloom {

// The practice report, a modal Win32 dialog built from its design: the
// figures, the wrong and the slowest characters, the chart of each row's
// speed, and "复制成绩(&C)", "练习错字(&D)" and "确定" (Enter and Esc press
// it too). It shows the run as it was when it opened.
class ReportDialog {
  public:
    static constexpr int kCopyId = 201;
    static constexpr int kDrillId = 202;

    ReportDialog(const RunRecord& record, DrillStarter startDrill,
                 const ReportCodes* codes = nullptr);

    // Runs the dialog until it is closed.
    void run(HWND owner);

  private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR failed(const std::exception& error) const;
    void build();
    void cmdCopy_Click() const;
    void cmdDrill_Click() const;
    void paintChart() const;

    ReportContent content_;
    DrillStarter startDrill_;
    HWND dialog_ = nullptr;
    RECT chart_{};
    std::unique_ptr<GdiFonts> fonts_;
};

// Opens the report over `owner` and returns when it closes.
// With `codes`, the report adds the ideal code length and the characters' codes.
void showReport(const RunRecord& record, const DrillStarter& startDrill, HWND owner,
                const ReportCodes* codes = nullptr);

} // namespace keyloom
