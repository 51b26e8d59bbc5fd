// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"

#include <string>

namespace keyloom {

// The lesson window (F5): the texts to follow, the segment length, 乱序, the
// segment to start from, the target, and "开始" and "关闭".
const WindowDescription& frmLessonDesign();

// "课文 " and the application title, as the report prefixes "成绩 ".
std::u16string lessonWindowCaption();

} // namespace keyloom
