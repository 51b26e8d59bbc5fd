// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/course_step.h"

#include "course/shuffle.h"
#include "text/utf8_text.h"

namespace keyloom {

bool segmentFinished(const RunRecord& record, std::size_t segmentCharacters) {
    return segmentCharacters > 0 && record.characters().size() >= segmentCharacters;
}

RunFigures segmentFigures(const RunRecord& record, std::size_t segmentCharacters) {
    if (record.characters().size() <= segmentCharacters) {
        return computeFigures(record);
    }
    RunRecord own = record;
    own.keepFirst(segmentCharacters);
    return computeFigures(own);
}

bool meetsTarget(const RunFigures& figures, const Target& target) {
    return figures.accuracy >= target.accuracy && figures.speed >= target.charactersPerMinute &&
           figures.keysPerSecond >= target.keysPerSecond;
}

CourseOptions afterJudgement(const CourseOptions& now, int segments, bool met,
                             std::u16string_view resultLine) {
    CourseOptions next = met ? movedBy(now, segments, 1) : movedBy(now, segments, 0);
    next.previous = (met ? u"达标 " : u"未达标 ") + std::u16string(resultLine);
    return next;
}

CourseOptions movedBy(const CourseOptions& now, int segments, int step) {
    CourseOptions next = now;
    next.previous.clear();
    if (step == 0) {
        ++next.attempt;
        return next;
    }
    next.attempt = 1;
    next.segment = now.segment + step;
    if (next.segment > segments) {
        next.segment = 1;
        next.seed = nextSeed(now.seed); // a new pass in a new order
    } else if (next.segment < 1) {
        next.segment = segments;
    }
    return next;
}

std::u16string courseCaption(const CourseOptions& options, int segments) {
    std::u16string caption =
        options.set + u" 第" +
        fromUtf8(std::to_string(options.segment) + "/" + std::to_string(segments)) + u"段 " +
        targetText(options.target) + u" 第" + fromUtf8(std::to_string(options.attempt)) + u"次";
    return caption;
}

} // namespace keyloom
