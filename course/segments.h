// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/course_options.h"

#include <string>
#include <vector>

namespace keyloom {

// What a course is practised from: a set's entries (characters or words),
// or an article's characters, which are never shuffled.
struct CourseMaterial {
    std::vector<std::u16string> entries{};
    bool shuffles = true;
};

// Where each segment starts in `entries`, and where the last one ends: whole
// entries up to `length` characters each (kWholeText: one segment), so a word
// is never cut; an entry longer than `length` is a segment by itself.
std::vector<std::size_t> segmentBounds(const std::vector<std::u16string>& entries, int length);

// The segment the options name, ready to type.
struct Segment {
    std::u16string text{};
    int number = 1; // 1-based
    int count = 1;  // segments in this pass
};

// The pass's order is the material's, shuffled from the options' seed where
// shuffle is on and the material shuffles; a later attempt at the same
// segment shuffles its entries again. Raises CourseError for a segment past
// the end.
Segment segmentOf(const CourseMaterial& material, const CourseOptions& options);

} // namespace keyloom
