// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/segment_run.h"
#include "practice/new_lesson.h"

#include <optional>

namespace keyloom {

// A course named on the command line: its segment, and the text the window
// practises, the one the run before handed over or else the segment's own,
// checked as every new text is.
struct CourseStart {
    SegmentRun segment;
    NewText text;
};

// Raises CourseError when the course cannot start; the caller then starts
// with its lesson, or with `handedOver`.
CourseStart startCourse(const CourseOptions& options, const LibraryPlaces& places,
                        const std::optional<NewText>& handedOver);

} // namespace keyloom
