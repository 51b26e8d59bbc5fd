// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"

#include <string>

namespace keyloom {

// The practice report as designed; its load step fills the labels.
const WindowDescription& frmReportDesign();

// "成绩 " and the application title, as the about box prefixes "关于 ".
std::u16string reportCaption();

// The program's name at the head of the shared result line: the main
// window's caption.
std::u16string_view resultLineProgramName();

} // namespace keyloom
