// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/dialog_builder.h"

#include "ui/pixels.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/window_dpi.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace keyloom {
namespace {

// An empty dialog frame; the elements come from the design.
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

HWND makeControl(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style,
                 const RECT& box, int id) {
    return CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                           box.right - box.left, box.bottom - box.top, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// How many rows an open drop-down list shows.
constexpr int kComboListRows = 10;

// A choice's command id: the dialog knows it by its window, so its tab
// index only keeps the ids apart.
int choiceId(const ElementDesign& e) {
    return kFirstChoiceId + e.tabIndex;
}

} // namespace

std::wstring controlText(std::u16string_view text) {
    std::wstring result;
    for (const char16_t unit : text) {
        if (unit == u'\n') {
            result += L'\r';
        }
        result += static_cast<wchar_t>(unit);
    }
    return result;
}

void runModalDialog(HWND parent, const WindowDescription& design, DLGPROC procedure, LPARAM owner) {
    EmptyDialogTemplate form{};
    form.header.style = frameStyle(design);
    form.header.dwExtendedStyle = design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &form.header, parent, procedure, owner);
}

DialogControls buildDialog(HWND dialog, const WindowDescription& design, const GdiFonts& fonts,
                           const ButtonIds& buttonId, const OtherElementMaker& makeOther) {
    const int dpi = fonts.dpi();
    SetWindowTextW(dialog, controlText(design.caption).c_str());
    centreOverOwner(dialog, {toPixels(design.clientWidth, dpi), toPixels(design.clientHeight, dpi)},
                    dpi);

    DialogControls controls;
    std::vector<std::pair<int, HWND>> tabOrder;
    HWND defaultButton = nullptr;
    for (const ElementDesign& e : design.elements) {
        const RECT r = toRect(pixelRect(e.look.left, e.look.top, e.look.width, e.look.height, dpi));
        HWND control = nullptr;
        switch (e.kind) {
        case ElementKind::Button: {
            const int id = buttonId(e.name);
            const DWORD style = WS_TABSTOP | (e.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            control = makeControl(dialog, L"BUTTON", controlText(e.caption), style, r, id);
            if (id == IDOK) {
                defaultButton = control;
            }
            break;
        }
        case ElementKind::ListBox:
            control =
                makeControl(dialog, L"LISTBOX", L"",
                            WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            r, choiceId(e));
            break;
        case ElementKind::ComboBox: {
            // A drop-down list's window holds its open list too.
            RECT dropped = r;
            dropped.bottom += (r.bottom - r.top) * kComboListRows;
            control = makeControl(dialog, L"COMBOBOX", L"",
                                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, dropped, choiceId(e));
            break;
        }
        case ElementKind::CheckBox:
            control = makeControl(dialog, L"BUTTON", controlText(e.caption),
                                  WS_TABSTOP | BS_AUTOCHECKBOX, r, choiceId(e));
            break;
        case ElementKind::Label:
            control =
                makeControl(dialog, L"STATIC", controlText(e.caption), SS_LEFT | SS_NOPREFIX, r, 0);
            break;
        default: control = makeOther ? makeOther(e, r) : nullptr; break;
        }
        if (control != nullptr) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(e.look.font)),
                         FALSE);
            tabOrder.emplace_back(e.tabIndex, control);
            controls.emplace(e.name, control);
        }
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, HWND>::first);
    HWND previous = HWND_TOP;
    for (const auto& [index, control] : tabOrder) {
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
    if (defaultButton != nullptr) {
        SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
        SetFocus(defaultButton);
    }
    return controls;
}

} // namespace keyloom
