// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"
#include "practice/main_controls.h"

#include <array>
#include <string>

namespace keyloom {

// Lays out the strip between the panes, which the labels of three features
// share, so that none ever covers another:
// - the notice of typing without an input method has the whole strip while
//   it shows, and the others wait;
// - a course's labels (its place, then how the last attempt ended) stand at
//   the strip's right end, leaving room for a code hint while one shows:
//   what does not fit of them is cut short with "…", the last attempt's
//   line first;
// - the code hint's table stands at the strip's left end, cut short when
//   wider than half the room left of the course's labels;
// - the code hint stands at the next character's column, right of its
//   table's name, moved left as far as it must to end before the course's
//   labels, and cut short when it is wider than the room left of them.
// A cut caption is shown in the label; the whole one, as its feature last
// set it, is kept here, so a cut undoes itself once there is room again.
class PaneStrip {
  public:
    // Run after the labels' captions changed, before the scene is updated.
    void arrange(MainControls& controls, const TextMeasure& measure);

  private:
    struct Kept {
        std::u16string whole; // as the course set it
        std::u16string shown; // as it was left in the label
    };
    std::array<Kept, 2> course_;
};

} // namespace keyloom
