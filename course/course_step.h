// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/course_options.h"
#include "practice/run_figures.h"
#include "practice/run_record.h"

#include <string>

namespace keyloom {

// Whether the segment's last character is typed.
bool segmentFinished(const RunRecord& record, std::size_t segmentCharacters);

// The report's figures of the segment's own characters: what was typed past
// its end, in the commit that finished it, is not judged.
RunFigures segmentFigures(const RunRecord& record, std::size_t segmentCharacters);

// Whether the figures reach the target; with none, every finished segment does.
bool meetsTarget(const RunFigures& figures, const Target& target);

// The course after a judged segment: met, the next segment (after the last,
// the first of a new pass, drawn anew); missed, the same segment again, its
// next attempt. The new run shows `resultLine` with 达标 or 未达标.
CourseOptions afterJudgement(const CourseOptions& now, int segments, bool met,
                             std::u16string_view resultLine);

// The course moved by hand, Ctrl+Right (+1) or Ctrl+Left (-1), or restarted
// (0, F3): the first attempt of the next or previous segment, wrapping round,
// or the same segment's next attempt.
CourseOptions movedBy(const CourseOptions& now, int segments, int step);

// What the main window shows of the course: "常用字前500 第2/50段 正确率≥1000‰ 第1次".
std::u16string courseCaption(const CourseOptions& options, int segments);

} // namespace keyloom
