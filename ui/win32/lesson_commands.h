// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/new_lesson.h"
#include "ui/win32/new_run_starter.h"

#include <utility>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

namespace keyloom {

// The main window's ways to a new run: F3 (the same text), F4 (the
// clipboard), Ctrl+O (a file dialog) and a dropped file. Each gets its text,
// has it checked, and either starts the new run in this window's place or
// tells in a message box over the window why not; the run goes on then.
class LessonCommands {
  public:
    LessonCommands(const PracticeState& state, NewRunStarter start)
        : state_(state), start_(std::move(start)) {}

    void run(HWND window, LessonCommand command) const;
    // Opens the first file of a drop, and lets the drop go.
    void drop(HWND window, HDROP files) const;

  private:
    [[nodiscard]] NewLessonActions actions(HWND window) const;
    void chooseFile(HWND window) const;

    const PracticeState& state_;
    NewRunStarter start_;
};

} // namespace keyloom
