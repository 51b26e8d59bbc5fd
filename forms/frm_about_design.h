#pragma once

#include "forms/window_description.h"

namespace keyloom {

// The about box as designed; its load step replaces the captions.
const WindowDescription& frmAboutDesign();

} // namespace keyloom
