// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "forms/frm_main_design.h"

#include <functional>
#include <map>
#include <string>

namespace keyloom {

// The controls of the main window that the practice handlers read and write,
// named as in the window's design.
struct MainControls {
    PictureBox picEgg;  // upper pane: the reference rows and their marks
    PictureBox picType; // lower pane: the typed rows and the caret
    LabelArray lblEgg;
    LabelArray lblType;
    LabelArray lblOK;
    LabelArray lblErr;
    LineShape Line1;
    TextBox txtType;

    Label lblTrue;
    Label lblFalse;
    Label lblTF;
    Label lblSudu;
    Label lblTime;

    // Every other single label of the design, by name: no handler changes
    // them, and a label added to the design shows without a member here.
    std::map<std::string, Label, std::less<>> otherLabels;
};

// The controls the practice handlers work on, as the design creates them.
MainControls frmMainControls(const WindowDescription& design = frmMainDesign());

// The control of that design name, or nullptr: the scene shows the elements
// of the design through these.
const Label* findLabel(const MainControls& controls, std::string_view name);
const LabelArray* findLabelArray(const MainControls& controls, std::string_view name);
const PictureBox* findPictureBox(const MainControls& controls, std::string_view name);
const LineShape* findLine(const MainControls& controls, std::string_view name);

} // namespace keyloom
