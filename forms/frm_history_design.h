// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"

#include <string>

namespace keyloom {

// The history of saved runs (F7) as designed; its load step fills it.
const WindowDescription& frmHistoryDesign();

// "记录 " and the application title.
std::u16string historyCaption();

} // namespace keyloom
