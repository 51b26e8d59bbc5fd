// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/library.h"
#include "practice/run_record.h"

#include <optional>
#include <string>

namespace keyloom {

// Finds the text a course names: a set in the sets' folder, the bundled
// article by its title, or a user's text by its file name, without reading
// the rest of the library. Raises CourseError for a name it does not know or
// a file it cannot read.
CourseText locateText(const LibraryPlaces& places, std::u16string_view name);

// One segment of a course, practised as a run of its own: what the window
// shows of it, and its judgement once its last character is typed.
class SegmentRun {
  public:
    // Reads the course's text and takes out its segment. Raises CourseError.
    SegmentRun(CourseOptions options, const LibraryPlaces& places);

    [[nodiscard]] const std::u16string& text() const { return segment_.text; }
    [[nodiscard]] const CourseOptions& options() const { return options_; }
    // "常用字前500 第2/50段 正确率≥1000‰ 第1次"
    [[nodiscard]] std::u16string caption() const;
    // How the last attempt ended, "达标 速度62字/分 …" (before it, the
    // caption says which attempt this is), or this one's once judged; empty
    // when the segment was started by hand.
    [[nodiscard]] std::u16string lastAttemptLine() const;

    // After each change of the typed text: once the segment's last character
    // is typed, judges it (once) and answers the course the next run follows.
    std::optional<CourseOptions> judge(const RunRecord& record);
    [[nodiscard]] bool judged() const { return judged_; }
    // The course moved by hand: the next segment (+1, Ctrl+Right), the
    // previous one (-1, Ctrl+Left) or this one again (0, F3).
    [[nodiscard]] CourseOptions after(int step) const;

  private:
    CourseOptions options_;
    Segment segment_;
    std::size_t characters_ = 0;
    bool judged_ = false;
    std::u16string verdict_;
};

} // namespace keyloom
