// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/about_dialog.h"

#include "about/system_platform.h"
#include "forms/frm_about_design.h"
#include "ui/pixels.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <string>

namespace keyloom {
namespace {

constexpr int kAppIconId = 1;
constexpr int kIconPixels = 32;

std::u16string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return {text.begin(), text.end()};
}

} // namespace

void Win32MessageDialog::show(std::u16string_view text) {
    MessageBoxW(owner_, controlText(text).c_str(), controlText(kKeyloomApp.title).c_str(), MB_OK);
}

AboutDialog::AboutDialog(Registry& registry, const FileFinder& files, ProgramStarter& starter,
                         RegistryKey root)
    : messages_(nullptr), about_({registry, files, starter, messages_}, root) {}

void AboutDialog::run(HWND owner) {
    runModalDialog(owner, frmAboutDesign(),
                   &ownedWindowProc<AboutDialog, &AboutDialog::handle, &AboutDialog::failed,
                                    &AboutDialog::dialog_, DWLP_USER>,
                   reinterpret_cast<LPARAM>(this));
}

// Anything the about box's logic does not report itself closes the box
// rather than unwind through the dialog manager.
INT_PTR AboutDialog::failed(const std::exception& /*error*/) const {
    EndDialog(dialog_, IDABORT);
    return TRUE;
}

INT_PTR AboutDialog::handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        build(frmAboutDesign());
        Form_Load();
        return FALSE; // the focus was set on cmdOK
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: cmdOK_Click(); return TRUE; // cmdOK is default and cancel button
        case kSysInfoId: about_.cmdSysInfo_Click(); return TRUE;
        default: return FALSE;
        }
    case WM_PAINT: paintLines(); return TRUE;
    default: return FALSE;
    }
}

void AboutDialog::build(const WindowDescription& design) {
    messages_.setOwner(dialog_);
    fonts_ = std::make_unique<GdiFonts>(windowDpi(dialog_));
    const DialogControls controls = buildDialog(
        dialog_, design, *fonts_,
        [](std::string_view name) { return name == "cmdOK" ? IDOK : kSysInfoId; },
        [this](const ElementDesign& e, const RECT& box) -> HWND {
            if (e.kind == ElementKind::PictureBox) {
                return makeIcon(box);
            }
            if (e.kind == ElementKind::Line) {
                lines_.push_back(&e);
            }
            return nullptr;
        });
    lblTitle_ = controls.at("lblTitle");
    lblVersion_ = controls.at("lblVersion");
}

// The program's icon at the dialog's dpi.
HWND AboutDialog::makeIcon(const RECT& box) const {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const int size = MulDiv(kIconPixels, fonts_->dpi(), kDesignDpi);
    const HWND control =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE,
                        box.left, box.top, size, size, dialog_, nullptr, instance, nullptr);
    auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                               size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr) {
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return control;
}

void AboutDialog::Form_Load() {
    AboutCaptions captions{.window = textOf(dialog_),
                           .lblTitle = textOf(lblTitle_),
                           .lblVersion = textOf(lblVersion_)};
    FrmAbout::Form_Load(captions);
    SetWindowTextW(dialog_, controlText(captions.window).c_str());
    SetWindowTextW(lblTitle_, controlText(captions.lblTitle).c_str());
    SetWindowTextW(lblVersion_, controlText(captions.lblVersion).c_str());
}

void AboutDialog::cmdOK_Click() const {
    EndDialog(dialog_, IDOK);
}

// The etched separator: each line fills whole pixel rows from its own row down.
void AboutDialog::paintLines() const {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(dialog_, &ps);
    const int dpi = fonts_->dpi();
    for (const ElementDesign* line : lines_) {
        const int thickness = std::max(1, MulDiv(line->lineWidthPx, dpi, kDesignDpi));
        const ElementLook& look = line->look;
        const int x1 = toPixels(look.left, dpi);
        const int y1 = toPixels(look.top, dpi);
        const int x2 = toPixels(look.left + look.width, dpi);
        const int y2 = toPixels(look.top + look.height, dpi);
        const RECT area{std::min(x1, x2), std::min(y1, y2),
                        std::max(std::max(x1, x2), std::min(x1, x2) + thickness),
                        std::max(std::max(y1, y2), std::min(y1, y2) + thickness)};
        SetBkColor(dc, toColorRef(look.foreColor, GetSysColor(COLOR_BTNTEXT)));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    }
    EndPaint(dialog_, &ps);
}

void showAboutBox(HWND owner) {
    AboutDialog dialog(systemRegistry(), systemFileFinder(), systemProgramStarter());
    dialog.run(owner);
}

} // namespace keyloom
