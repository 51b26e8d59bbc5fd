// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"
#include "ui/win32/gdi_fonts.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <windows.h>

namespace keyloom {

// Text for a Win32 control: its lines end in CR LF.
std::wstring controlText(std::u16string_view text);

// Runs a modal dialog with the frame `design` asks for, empty until
// `procedure` builds it in WM_INITDIALOG; `owner` of the dialog comes to
// `procedure` as WM_INITDIALOG's lParam. Returns when the dialog closes.
void runModalDialog(HWND parent, const WindowDescription& design, DLGPROC procedure, LPARAM owner);

// The controls made from a dialog's design, by element name.
using DialogControls = std::map<std::string_view, HWND>;
// The command a button sends, by its name.
using ButtonIds = std::function<int(std::string_view name)>;
// Makes what only the dialog knows how to show (picture boxes, lines) in its
// box; nullptr when it makes no control.
using OtherElementMaker = std::function<HWND(const ElementDesign& element, const RECT& box)>;

// The command ids of list boxes, combo boxes and check boxes start here,
// clear of the buttons'.
inline constexpr int kFirstChoiceId = 1000;

// Gives `dialog` the caption and client size of `design` at `fonts`' dpi,
// centred over its owner, and makes its labels (text shown literally,
// wrapping at their width), buttons, list boxes, drop-down lists, check boxes
// and other elements in tab order, each in its font. The button with IDOK is the default and takes
// the focus.
DialogControls buildDialog(HWND dialog, const WindowDescription& design, const GdiFonts& fonts,
                           const ButtonIds& buttonId, const OtherElementMaker& makeOther);

} // namespace keyloom
