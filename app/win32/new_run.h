// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/lesson_file.h"
#include "practice/new_lesson.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace keyloom {

// A new run is this program started again as "keyloom.exe -", its lesson's
// text written whole into an inheritable pipe, before it starts, that is its
// standard input, and its window's top left corner in STARTUPINFO: nothing is written to
// disk. A replaced window closes once the new one waits for input, so a start
// that fails leaves the old run as it was.

// Starts a new run of `text`. `arguments` are options the new program is
// started with before its "-", those that must travel from run to run.
void startNewRun(HWND window, const std::u16string& text, OldWindow old,
                 const std::vector<std::wstring>& arguments);

// In the new run: where the old window stood, if a new run was started so.
std::optional<POINT> placeLikeStarter();

// The lesson on standard input ("keyloom.exe -"), read as a lesson file is.
// Raises LessonFileError when it cannot be read.
LessonBytes readStandardInput();

} // namespace keyloom
