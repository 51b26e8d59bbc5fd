// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/segment_labels.h"
#include "course/segment_run.h"
#include "practice/frm_main.h"
#include "ui/qt/main_window.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace keyloom {

// The course in the Qt program's main window: F5 opens the lesson window;
// in a course the window shows the segment and the last attempt, judges the
// segment once its last character is typed, and a second later starts the
// next (or the same) in a new run in its place; F3, Ctrl+Right and Ctrl+Left
// start one by hand. `places` is read only when F5 opens or a segment starts;
// `carried` gives the options that travel with every new run (the hint).
class CourseSession {
  public:
    CourseSession(MainWindow& window, FrmMain& form, MainControls& controls,
                  std::function<LibraryPlaces()> places, std::optional<SegmentRun> run,
                  std::function<std::vector<std::string>()> carried);

  private:
    // Starts `options`' segment in a new run in the window's place; one that
    // cannot start is told in a message box, and this run goes on.
    void start(const CourseOptions& options);
    void changed();
    void show();

    MainWindow& window_;
    FrmMain& form_;
    MainControls& controls_;
    std::function<LibraryPlaces()> places_;
    std::optional<SegmentRun> run_;
    std::function<std::vector<std::string>()> carried_;
};

} // namespace keyloom
