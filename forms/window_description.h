// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

#include <span>
#include <string_view>

namespace keyloom {

enum class ElementKind : std::uint8_t {
    Timer,
    TextBox,
    PictureBox,
    Line,
    Label,
    Button,
    ListBox,  // one line an item, one chosen
    ComboBox, // a drop-down list, one chosen
    CheckBox,
};

// One element of a window's design, as data. Positions are twips within the
// container; a line's ends are (left, top) and (left + width, top + height).
struct ElementDesign {
    std::string_view name{};
    int index = -1; // element of a control array, or -1
    ElementKind kind = ElementKind::Label;
    std::string_view container{}; // empty: the window's client area
    ElementLook look{};
    std::u16string_view caption{};
    bool wordWrap = false;
    int tabIndex = -1;
    int intervalMs = 0;         // timers
    bool defaultButton = false; // Enter presses it
    bool cancelButton = false;  // Esc presses it
    int lineWidthPx = 1;        // lines
};

struct WindowDescription {
    std::u16string_view caption{};
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    std::span<const ElementDesign> elements; // in creation order
    bool fixedDialogFrame = false;           // not resizable, no minimise or maximise button
    bool showInTaskbar = true;
};

// The first element named so (and with that index), or nullptr.
const ElementDesign* findElement(const WindowDescription& window, std::string_view name,
                                 int index = -1);

} // namespace keyloom
