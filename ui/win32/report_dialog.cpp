// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/report_dialog.h"

#include "forms/frm_report_design.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>
#include <string>

namespace keyloom {
namespace {

constexpr COLORREF kBarColour = RGB(0x00, 0xC0, 0x00);
constexpr int kChartMargin = 4;

int buttonId(std::string_view name) {
    if (name == "cmdCopy") {
        return ReportDialog::kCopyId;
    }
    if (name == "cmdDrill") {
        return ReportDialog::kDrillId;
    }
    return IDOK;
}

// A tooltip over a control; over a disabled one the dialog gets the mouse,
// so the tip belongs to the control's rectangle in the dialog.
void addTooltip(HWND dialog, HWND control, const std::wstring& text) {
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
}

} // namespace

ReportDialog::ReportDialog(const RunRecord& record, DrillStarter startDrill,
                           const ReportCodes* codes)
    : content_(loadReport(record, codes)), startDrill_(std::move(startDrill)) {}

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

// Bars side by side across the chart, the fastest row full height, its
// speed written in the top left corner.
void ReportDialog::paintChart() const {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(dialog_, &ps);
    SetBkColor(dc, RGB(0, 0, 0));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &chart_, nullptr, 0, nullptr);
    const std::vector<double>& speeds = content_.rowSpeeds;
    if (!speeds.empty()) {
        const double fastest = *std::ranges::max_element(speeds);
        const int left = chart_.left + kChartMargin;
        const int width = chart_.right - kChartMargin - left;
        const int top = chart_.top + kChartMargin;
        const int bottom = chart_.bottom;
        const int count = static_cast<int>(speeds.size());
        SetBkColor(dc, kBarColour);
        for (int i = 0; i < count; ++i) {
            const int height = fastest > 0 ? static_cast<int>(speeds[static_cast<std::size_t>(i)] /
                                                              fastest * (bottom - top))
                                           : 0;
            const int x1 = left + MulDiv(width, i, count);
            const int x2 = std::max(x1 + 1, left + MulDiv(width, i + 1, count) - 1);
            const RECT bar{x1, bottom - height, x2, bottom};
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &bar, nullptr, 0, nullptr);
        }
        const std::wstring label = std::to_wstring(static_cast<long long>(fastest + 0.5));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        const HGDIOBJ previous = SelectObject(dc, fonts_->font(FontRole::Standard));
        TextOutW(dc, left, top, label.c_str(), static_cast<int>(label.size()));
        SelectObject(dc, previous);
    }
    EndPaint(dialog_, &ps);
}

void showReport(const RunRecord& record, const DrillStarter& startDrill, HWND owner,
                const ReportCodes* codes) {
    ReportDialog dialog(record, startDrill, codes);
    dialog.run(owner);
}

} // namespace keyloom
