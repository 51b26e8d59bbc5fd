// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "practice/frm_report.h"
#include "ui/history.h"
#include "ui/win32/gdi_fonts.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <windows.h>

namespace keyloom {

// The history of saved runs (F7), a modal Win32 dialog built from its
// design: the runs in a list box newest first (Delete, or "删除(&X)",
// removes the selected one after asking), the chart of each day's speed and
// accuracy, the totals, the weak characters and "练习弱字(&D)". It reads the
// journal when it opens and after a deletion.
class HistoryDialog {
  public:
    static constexpr int kRunsId = 301;
    static constexpr int kDeleteId = 302;
    static constexpr int kDrillId = 303;

    // `codesOf`: the table chosen for hints, or none.
    HistoryDialog(std::optional<std::filesystem::path> folder, WallClock clock,
                  DrillStarter startDrill, CodesOf codesOf = {});

    void run(HWND owner);

  private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR failed(const std::exception& error) const;
    void build();
    void load();
    void cmdDelete_Click();
    void cmdDrill_Click() const;
    void paintChart() const;

    std::optional<std::filesystem::path> folder_;
    WallClock clock_;
    DrillStarter startDrill_;
    CodesOf codesOf_;
    HistoryContent content_;
    HWND dialog_ = nullptr;
    HWND runs_ = nullptr;
    HWND totals_ = nullptr;
    HWND weak_ = nullptr;
    HWND notice_ = nullptr;
    HWND delete_ = nullptr;
    HWND drill_ = nullptr;
    RECT chart_{};
    std::unique_ptr<GdiFonts> fonts_;
};

// Opens the history over `owner` and returns when it closes.
void showHistory(const std::optional<std::filesystem::path>& folder, const WallClock& clock,
                 const DrillStarter& startDrill, HWND owner, const CodesOf& codesOf = {});

} // namespace keyloom
