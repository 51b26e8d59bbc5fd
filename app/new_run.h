// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/new_lesson.h"

#include <string>
#include <vector>

class QWidget;

namespace keyloom {

// A new run is this program started again as "keyloom -", its lesson's text
// on its standard input, in a memory file filled before it starts: nothing
// is written to disk. It is told where the old window stands, and tells the
// old program once its own window is up; only then does a replaced window
// close, so a start that fails leaves the old run as it was. The new run is
// nobody's child and in a session of its own: however the old program ends,
// at whatever moment, the new one goes on.

// Starts a new run of `text`. `arguments` are options the new program is
// started with before its "-", those that must travel from run to run.
void startNewRun(QWidget& window, const std::u16string& text, OldWindow old,
                 const std::vector<std::string>& arguments);

// In the new run, before its window is shown: where the old window stood.
void placeLikeStarter(QWidget& window);
// In the new run, once its window is shown: when it is on the screen, it
// takes the focus and the program that started it is told.
void tellStarterWhenShown(QWidget& window);

} // namespace keyloom
