// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/segment_run.h"

#include "course/course_step.h"
#include "text/code_points.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <filesystem>

namespace keyloom {
namespace {

std::filesystem::path fileOf(std::u16string_view name) {
#ifdef _WIN32
    return {std::wstring(name.begin(), name.end()) + L".txt"};
#else
    return {toUtf8(name) + ".txt"};
#endif
}

} // namespace

CourseText locateText(const LibraryPlaces& places, std::u16string_view name) {
    if (std::ranges::find(kSetNames, name) != kSetNames.end()) {
        return {.name = std::u16string(name), .path = places.sets / fileOf(name), .isSet = true};
    }
    if (places.bundledLesson.stem() == fileOf(name).stem()) {
        return {.name = std::u16string(name), .path = places.bundledLesson};
    }
    // A name is a file's name, never a path.
    const std::filesystem::path file = places.userTexts / fileOf(name);
    std::error_code error;
    if (name.find_first_of(u"/\\") == std::u16string_view::npos && name != u"." && name != u".." &&
        std::filesystem::is_regular_file(file, error)) {
        return {.name = std::u16string(name), .path = file};
    }
    throw CourseError("没有名为“" + toUtf8(name) + "”的课文；按 F5 看有哪些。");
}

SegmentRun::SegmentRun(CourseOptions options, const LibraryPlaces& places)
    : options_(std::move(options)),
      segment_(segmentOf(readMaterial(locateText(places, options_.set)), options_)),
      characters_(codePointCount(segment_.text)) {}

std::u16string SegmentRun::caption() const {
    return courseCaption(options_, segment_.count);
}

std::u16string SegmentRun::lastAttemptLine() const {
    if (judged_) {
        return verdict_;
    }
    return options_.previous;
}

std::optional<CourseOptions> SegmentRun::judge(const RunRecord& record) {
    if (judged_ || !segmentFinished(record, characters_)) {
        return std::nullopt;
    }
    judged_ = true;
    const RunFigures figures = segmentFigures(record, characters_);
    const bool met = meetsTarget(figures, options_.target);
    // The result line without the program's name, which the window's
    // caption already shows: it has to fit beside the counts.
    std::u16string line = resultLine(figures, u"");
    line.erase(0, line.find_first_not_of(u' '));
    CourseOptions next = afterJudgement(options_, segment_.count, met, line);
    verdict_ = next.previous;
    return next;
}

CourseOptions SegmentRun::after(int step) const {
    return movedBy(options_, segment_.count, step);
}

} // namespace keyloom
