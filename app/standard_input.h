// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/lesson_file.h"

namespace keyloom {

// The lesson on standard input ("keyloom -"), read as a lesson file is:
// once, and only as far as it can be shown. Raises LessonFileError when it
// cannot be read.
LessonBytes readStandardInput();

} // namespace keyloom
