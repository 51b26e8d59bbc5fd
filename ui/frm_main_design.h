#pragma once

#include "practice/main_controls.h"
#include "ui/window_description.h"

namespace keyloom {

// The main window as designed, before its load step moves and fills the rows.
const WindowDescription& frmMainDesign();

// The controls the practice handlers work on, as the design creates them.
MainControls frmMainControls(const WindowDescription& design = frmMainDesign());

} // namespace keyloom
