// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/report_dialog.h"

#include "forms/frm_report_design.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/gdi_chart.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>
#include <string>

namespace keyloom {
namespace {

int buttonId(std::string_view name) {
    if (name == "cmdCopy") {
        return ReportDialog::kCopyId;
    }
    if (name == "cmdDrill") {
        return ReportDialog::kDrillId;
    }
    if (name == "cmdSave") {
        return ReportDialog::kSaveId;
    }
    return IDOK;
}

// A tooltip over a control; over a disabled one the dialog gets the mouse,
// so the tip belongs to the control's rectangle in the dialog.
HWND addTooltip(HWND dialog, HWND control, const std::wstring& text) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    GetWindowRect(control, &tool.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&tool.rect), 2);
    std::wstring buffer = text;
    tool.lpszText = buffer.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

// A tip's new text, for the tool addTooltip made.
void setTooltip(HWND tip, HWND dialog, HWND control, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    std::wstring buffer = text;
    tool.lpszText = buffer.data();
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace

ReportDialog::ReportDialog(const RunRecord& record, DrillStarter startDrill, ReportJournal* journal,
                           const ReportCodes* codes)
    : record_(record), content_(loadReport(record, codes)), startDrill_(std::move(startDrill)),
      journal_(journal) {}

void ReportDialog::run(HWND owner) {
    runModalDialog(owner, frmReportDesign(),
                   &ownedWindowProc<ReportDialog, &ReportDialog::handle, &ReportDialog::failed,
                                    &ReportDialog::dialog_, DWLP_USER>,
                   reinterpret_cast<LPARAM>(this));
}

// Nothing unwinds through the dialog manager: the report closes.
INT_PTR ReportDialog::failed(const std::exception& /*error*/) const {
    EndDialog(dialog_, IDABORT);
    return TRUE;
}

INT_PTR ReportDialog::handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG: build(); return FALSE; // the focus was set on cmdOK
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(dialog_, IDOK); return TRUE; // "确定" is default and cancel
        case kCopyId: cmdCopy_Click(); return TRUE;
        case kDrillId: cmdDrill_Click(); return TRUE;
        case kSaveId: cmdSave_Click(); return TRUE;
        default: return FALSE;
        }
    case WM_PAINT: paintChart(); return TRUE;
    default: return FALSE;
    }
}

void ReportDialog::build() {
    fonts_ = std::make_unique<GdiFonts>(windowDpi(dialog_));
    const DialogControls controls =
        buildDialog(dialog_, frmReportDesign(), *fonts_, buttonId,
                    [this](const ElementDesign& e, const RECT& box) -> HWND {
                        if (e.kind == ElementKind::PictureBox) {
                            chart_ = box;
                        }
                        return nullptr;
                    });
    SetWindowTextW(dialog_, controlText(content_.caption).c_str());
    SetWindowTextW(controls.at("lblFigures"), controlText(content_.figures).c_str());
    SetWindowTextW(controls.at("lblWrong"), controlText(content_.wrong).c_str());
    SetWindowTextW(controls.at("lblSlow"), controlText(content_.slowest).c_str());
    const HWND drill = controls.at("cmdDrill");
    if (content_.drill.empty() || !startDrill_) {
        EnableWindow(drill, FALSE);
    }
    if (!content_.drillTip.empty()) {
        addTooltip(dialog_, drill, controlText(content_.drillTip));
    }
    save_ = controls.at("cmdSave");
    if (journal_ == nullptr) {
        ShowWindow(save_, SW_HIDE);
        return;
    }
    saveTip_ = addTooltip(dialog_, save_, controlText(journal_->saveButton(record_).tip));
    showSaveButton();
}

void ReportDialog::showSaveButton() {
    const ReportJournal::SaveButton button = journal_->saveButton(record_);
    SetWindowTextW(save_, controlText(button.caption).c_str());
    setTooltip(saveTip_, dialog_, save_, controlText(button.tip));
    if (button.enabled == (IsWindowEnabled(save_) == FALSE)) {
        // A button that goes grey with the focus leaves the dialog without one.
        if (!button.enabled && GetFocus() == save_) {
            SendMessageW(dialog_, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDOK)), TRUE);
        }
        EnableWindow(save_, button.enabled ? TRUE : FALSE);
    }
}

void ReportDialog::cmdSave_Click() {
    if (journal_ == nullptr) {
        return;
    }
    const std::u16string problem = journal_->save(record_);
    if (!problem.empty()) {
        MessageBoxW(dialog_, controlText(problem).c_str(), controlText(content_.caption).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
    showSaveButton();
}

void ReportDialog::cmdCopy_Click() const {
    const std::wstring line = controlText(content_.resultLine);
    const std::size_t bytes = (line.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return;
    }
    std::memcpy(GlobalLock(memory), line.c_str(), bytes);
    GlobalUnlock(memory);
    if (OpenClipboard(dialog_) == FALSE) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
    CloseClipboard();
}

void ReportDialog::cmdDrill_Click() const {
    if (startDrill_ && !content_.drill.empty()) {
        startDrill_(content_.drill);
    }
}

void ReportDialog::paintChart() const {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(dialog_, &ps);
    const Chart chart = rowSpeedChart(content_.rowSpeeds, chart_.right - chart_.left,
                                      chart_.bottom - chart_.top, fonts_->dpi());
    keyloom::paintChart(dc, chart_, chart, fonts_->font(FontRole::Standard));
    EndPaint(dialog_, &ps);
}

void showReport(const RunRecord& record, const DrillStarter& startDrill, ReportJournal* journal,
                HWND owner, const ReportCodes* codes) {
    ReportDialog dialog(record, startDrill, journal, codes);
    dialog.run(owner);
}

} // namespace keyloom
