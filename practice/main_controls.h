#pragma once

#include "forms/controls.h"
#include "forms/frm_main_design.h"

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
    Label Label1;
    Label lblTF;
    Label Label4;
    Label Label2;
    Label lblSudu;
    Label Label3;
    Label Label5;
    Label lblTime;
    Label Label6;
    Label lblTtime;
    Label lblKeys; // the window's keys
};

// The controls the practice handlers work on, as the design creates them.
MainControls frmMainControls(const WindowDescription& design = frmMainDesign());

// The control of that design name, or nullptr: a toolkit binding shows the
// elements of the design through these.
Label* findLabel(MainControls& controls, std::string_view name);
LabelArray* findLabelArray(MainControls& controls, std::string_view name);
PictureBox* findPictureBox(MainControls& controls, std::string_view name);
LineShape* findLine(MainControls& controls, std::string_view name);

} // namespace keyloom
