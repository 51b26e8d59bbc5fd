// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/history_dialog.h"

#include "forms/frm_history_design.h"
#include "text/utf8_text.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/gdi_chart.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <commctrl.h>
#include <string>

namespace keyloom {
namespace {

int buttonId(std::string_view name) {
    if (name == "cmdDelete") {
        return HistoryDialog::kDeleteId;
    }
    if (name == "cmdDrill") {
        return HistoryDialog::kDrillId;
    }
    return IDOK;
}

// The list box's Delete key goes to the dialog as the delete button's command.
LRESULT CALLBACK runsProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                          DWORD_PTR /*data*/) {
    if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(HistoryDialog::kDeleteId, 0), 0);
        return 0;
    }
    if (message == WM_GETDLGCODE && lParam != 0 &&
        reinterpret_cast<const MSG*>(lParam)->wParam == VK_DELETE) {
        return DLGC_WANTMESSAGE;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace

HistoryDialog::HistoryDialog(std::optional<std::filesystem::path> folder, WallClock clock,
                             DrillStarter startDrill, CodesOf codesOf)
    : folder_(std::move(folder)), clock_(std::move(clock)), startDrill_(std::move(startDrill)),
      codesOf_(std::move(codesOf)) {}

void HistoryDialog::run(HWND owner) {
    runModalDialog(owner, frmHistoryDesign(),
                   &ownedWindowProc<HistoryDialog, &HistoryDialog::handle, &HistoryDialog::failed,
                                    &HistoryDialog::dialog_, DWLP_USER>,
                   reinterpret_cast<LPARAM>(this));
}

INT_PTR HistoryDialog::failed(const std::exception& /*error*/) const {
    EndDialog(dialog_, IDABORT);
    return TRUE;
}

INT_PTR HistoryDialog::handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG: build(); return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(dialog_, IDOK); return TRUE;
        case kDeleteId: cmdDelete_Click(); return TRUE;
        case kDrillId: cmdDrill_Click(); return TRUE;
        default: return FALSE;
        }
    case WM_PAINT: paintChart(); return TRUE;
    default: return FALSE;
    }
}

void HistoryDialog::build() {
    fonts_ = std::make_unique<GdiFonts>(windowDpi(dialog_));
    const DialogControls controls = buildDialog(
        dialog_, frmHistoryDesign(), *fonts_, buttonId,
        [this](const ElementDesign& e, const RECT& box) -> HWND {
            if (e.name == "picChart") {
                chart_ = box;
                return nullptr;
            }
            if (e.name != "lstRuns") {
                return nullptr;
            }
            runs_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                                        LBS_NOINTEGRALHEIGHT,
                                    box.left, box.top, box.right - box.left, box.bottom - box.top,
                                    dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRunsId)),
                                    GetModuleHandleW(nullptr), nullptr);
            SendMessageW(runs_, WM_SETFONT,
                         reinterpret_cast<WPARAM>(fonts_->font(FontRole::Standard)), FALSE);
            SetWindowSubclass(runs_, runsProc, 1, 0);
            return runs_;
        });
    SetWindowTextW(dialog_, controlText(historyCaption()).c_str());
    totals_ = controls.at("lblTotals");
    weak_ = controls.at("lblWeak");
    notice_ = controls.at("lblNotice");
    delete_ = controls.at("cmdDelete");
    drill_ = controls.at("cmdDrill");
    load();
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(runs_), TRUE);
}

void HistoryDialog::load() {
    content_ = loadHistory({}, clock_());
    std::u16string problem;
    if (folder_) {
        try {
            const std::unique_ptr<JournalFiles> files = journalFiles(*folder_);
            content_ = loadHistory(Journal(*files, clock_).read(), clock_(), codesOf_);
        } catch (const JournalError& error) {
            problem = u"记录读不了：" + fromUtf8(error.what());
        }
    }
    SendMessageW(runs_, LB_RESETCONTENT, 0, 0);
    for (const std::u16string& run : content_.runs) {
        const std::wstring line = controlText(run);
        SendMessageW(runs_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(runs_, LB_SETCURSEL, content_.runs.empty() ? static_cast<WPARAM>(-1) : 0, 0);
    SetWindowTextW(totals_, controlText(content_.totals).c_str());
    SetWindowTextW(weak_, controlText(content_.weak).c_str());
    SetWindowTextW(notice_, controlText(problem.empty() ? content_.notice : problem).c_str());
    EnableWindow(delete_, content_.runs.empty() ? FALSE : TRUE);
    EnableWindow(drill_, content_.drill.empty() || !startDrill_ ? FALSE : TRUE);
    InvalidateRect(dialog_, &chart_, FALSE);
}

void HistoryDialog::cmdDelete_Click() {
    const auto row = static_cast<int>(SendMessageW(runs_, LB_GETCURSEL, 0, 0));
    if (row < 0 || !folder_ || static_cast<std::size_t>(row) >= content_.runKeys.size()) {
        return;
    }
    const std::wstring question =
        controlText(deleteQuestion(content_.runs[static_cast<std::size_t>(row)]));
    const std::wstring caption = controlText(historyCaption());
    if (MessageBoxW(dialog_, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
        return;
    }
    try {
        const std::unique_ptr<JournalFiles> files = journalFiles(*folder_);
        Journal(*files, clock_).remove(content_.runKeys[static_cast<std::size_t>(row)]);
    } catch (const JournalError& error) {
        // The reason is UTF-8: through the wide API, not the code page's.
        const std::wstring reason = controlText(u"没有删除：" + fromUtf8(error.what()));
        MessageBoxW(dialog_, reason.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
    }
    load();
    const auto count = static_cast<int>(SendMessageW(runs_, LB_GETCOUNT, 0, 0));
    SendMessageW(runs_, LB_SETCURSEL, static_cast<WPARAM>(std::min(row, count - 1)), 0);
}

void HistoryDialog::cmdDrill_Click() const {
    if (startDrill_ && !content_.drill.empty()) {
        startDrill_(content_.drill);
    }
}

void HistoryDialog::paintChart() const {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(dialog_, &ps);
    const Chart chart = progressChart(content_.days, chart_.right - chart_.left,
                                      chart_.bottom - chart_.top, fonts_->dpi());
    keyloom::paintChart(dc, chart_, chart, fonts_->font(FontRole::Standard));
    EndPaint(dialog_, &ps);
}

void showHistory(const std::optional<std::filesystem::path>& folder, const WallClock& clock,
                 const DrillStarter& startDrill, HWND owner, const CodesOf& codesOf) {
    HistoryDialog dialog(folder, clock, startDrill, codesOf);
    dialog.run(owner);
}

} // namespace keyloom
