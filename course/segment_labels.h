// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/segment_run.h"
#include "practice/main_controls.h"

#include <string>

namespace keyloom {

// Where the main window shows the segment: its place in the course and how
// the last attempt ended, the same in every front end.
void showSegment(MainControls& controls, const SegmentRun& run);

// The label of the course's place, for a course that could not start.
void showCourseProblem(MainControls& controls, const std::u16string& message);

// A second after the judgement the next run takes the window's place: long
// enough to see the last character marked, short enough to type on.
inline constexpr int kJudgementShownMs = 1000;

} // namespace keyloom
