// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/course_start.h"

#include "practice/lesson_file.h"

#include <filesystem>

namespace keyloom {

CourseStart startCourse(const CourseOptions& options, const LibraryPlaces& places,
                        const std::optional<NewText>& handedOver) {
    SegmentRun segment(options, places);
    if (handedOver) {
        return {.segment = std::move(segment), .text = *handedOver};
    }
    LessonBytes bytes;
    bytes.take(handOverBytes(segment.text()));
    NewText text = acceptNewText(bytes, std::filesystem::path(options.set));
    return {.segment = std::move(segment), .text = std::move(text)};
}

} // namespace keyloom
