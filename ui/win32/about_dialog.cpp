// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/about_dialog.h"

#include "about/system_platform.h"
#include "forms/frm_about_design.h"
#include "ui/pixels.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <array>
#include <string>

namespace keyloom {
namespace {

constexpr int kAppIconId = 1;
constexpr int kIconPixels = 32;

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::u16string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return {text.begin(), text.end()};
}

// An empty modal dialog frame; the elements come from the design in
// WM_INITDIALOG.
struct alignas(DWORD) EmptyDialogTemplate {
    DLGTEMPLATE header;
    std::array<WORD, 3> menuClassTitle; // none, the standard class, no title
};

DWORD frameStyle(const WindowDescription& design) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (!design.fixedDialogFrame) {
        style |= WS_THICKFRAME;
    }
    return style;
}

} // namespace

void Win32MessageDialog::show(std::u16string_view text) {
    MessageBoxW(owner_, wide(text).c_str(), wide(kKeyloomApp.title).c_str(), MB_OK);
}

AboutDialog::AboutDialog(Registry& registry, const FileFinder& files, ProgramStarter& starter,
                         RegistryKey root)
    : messages_(nullptr), about_({registry, files, starter, messages_}, root) {}

void AboutDialog::run(HWND owner) {
    const WindowDescription& design = frmAboutDesign();
    EmptyDialogTemplate form{};
    form.header.style = frameStyle(design);
    form.header.dwExtendedStyle = design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
    DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), &form.header, owner,
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
    const int dpi = windowDpi(dialog_);
    fonts_ = std::make_unique<GdiFonts>(dpi);
    SetWindowTextW(dialog_, wide(design.caption).c_str());

    // The client area of the design, centred over the owner.
    centreOverOwner(dialog_,
                    {toPixels(design.clientWidth, dpi), toPixels(design.clientHeight, dpi)}, dpi);

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::vector<std::pair<int, HWND>> tabOrder;
    HWND cmdOK = nullptr;
    for (const ElementDesign& e : design.elements) {
        const RECT r = toRect(pixelRect(e.look.left, e.look.top, e.look.width, e.look.height, dpi));
        HWND control = nullptr;
        switch (e.kind) {
        case ElementKind::PictureBox: {
            const int size = MulDiv(kIconPixels, dpi, kDesignDpi);
            control = CreateWindowExW(0, L"STATIC", L"",
                                      WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE, r.left,
                                      r.top, size, size, dialog_, nullptr, instance, nullptr);
            auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId),
                                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            if (icon == nullptr) {
                icon = LoadIconW(nullptr, IDI_APPLICATION);
            }
            SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
            break;
        }
        case ElementKind::Button: {
            const int id = e.name == "cmdOK" ? IDOK : kSysInfoId;
            DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
            buttonStyle |= e.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            control = CreateWindowExW(0, L"BUTTON", wide(e.caption).c_str(), buttonStyle, r.left,
                                      r.top, r.right - r.left, r.bottom - r.top, dialog_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                      nullptr);
            if (id == IDOK) {
                cmdOK = control;
            }
            break;
        }
        case ElementKind::Label:
            // Labels show their text literally, wrapping at their width.
            control = CreateWindowExW(0, L"STATIC", wide(e.caption).c_str(),
                                      WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, r.left, r.top,
                                      r.right - r.left, r.bottom - r.top, dialog_, nullptr,
                                      instance, nullptr);
            if (e.name == "lblTitle") {
                lblTitle_ = control;
            } else if (e.name == "lblVersion") {
                lblVersion_ = control;
            }
            break;
        case ElementKind::Line: lines_.push_back(&e); break;
        default: break;
        }
        if (control != nullptr) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->font(e.look.font)),
                         FALSE);
            tabOrder.emplace_back(e.tabIndex, control);
        }
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, HWND>::first);
    HWND previous = HWND_TOP;
    for (const auto& [index, control] : tabOrder) {
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
    if (cmdOK != nullptr) {
        SendMessageW(dialog_, DM_SETDEFID, IDOK, 0);
        SetFocus(cmdOK);
    }
}

void AboutDialog::Form_Load() {
    AboutCaptions captions{.window = textOf(dialog_),
                           .lblTitle = textOf(lblTitle_),
                           .lblVersion = textOf(lblVersion_)};
    FrmAbout::Form_Load(captions);
    SetWindowTextW(dialog_, wide(captions.window).c_str());
    SetWindowTextW(lblTitle_, wide(captions.lblTitle).c_str());
    SetWindowTextW(lblVersion_, wide(captions.lblVersion).c_str());
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
