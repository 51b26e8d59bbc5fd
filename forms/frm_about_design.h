// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"

namespace keyloom {

// The about box as designed; its load step replaces the captions.
const WindowDescription& frmAboutDesign();

} // namespace keyloom
