// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"

namespace keyloom {

// The main window as designed, before its load step moves and fills the rows.
const WindowDescription& frmMainDesign();

} // namespace keyloom
