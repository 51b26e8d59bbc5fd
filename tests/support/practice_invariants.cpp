// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/practice_invariants.h"

#include "practice/marks.h"
#include "practice/ring.h"
#include "practice/run_figures.h"
#include "text/code_points.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

namespace keyloom {
namespace {

// Backspace never reaches back more than the ring holds, well under this, so
// a counter this close to its limit may have stopped at it since the last
// check.
constexpr int kNearLimit = 32767 - 512;
// One event sets at most the newest mark; others it can only destroy.
constexpr int kTouchedMarks = 1;
// Marks of characters within the lesson's rows: the ring keeps at most this
// many alive (three rows behind the typing, the current row up to column 38).
constexpr int kMaxMarksInLesson = 3 * kRowWidth + 38;
constexpr Twips kRowStartCaret = kRowLeft - 1;
// Rounding of the sum of up to 32,767 characters' times, far below a
// millisecond, the record's unit.
constexpr double kSecondsTolerance = 1e-6;

std::string u8(const std::u16string& text) {
    std::string out;
    for (const char16_t ch : text) {
        if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else {
            out += "\\u" + std::to_string(static_cast<int>(ch));
        }
    }
    return out;
}

std::string captionProblem(const Label& label, const char16_t* prefix, Counter count) {
    const std::u16string expected = prefix + decimalText(count);
    // Before the first character of its kind the design caption stands.
    if (label.caption == expected || (count == 0 && label.caption == prefix)) {
        return {};
    }
    return "caption " + u8(label.caption) + " for count " + std::to_string(count);
}

} // namespace

std::string PracticeInvariants::check(bool allMarks) {
    std::string problem = checkCounters();
    if (problem.empty()) {
        problem = checkMarks(allMarks);
    }
    if (problem.empty()) {
        problem = checkCaret();
    }
    if (problem.empty() && allMarks) {
        problem = checkRecordTimes();
    }
    return problem;
}

std::string PracticeInvariants::checkCounters() {
    const PracticeState& s = form_.state();
    if (s.typedCount < 0 || s.rightCount < 0 || s.wrongCount < 0) {
        return "negative count";
    }
    nearLimit_ = nearLimit_ || s.typedCount >= kNearLimit || s.rightCount >= kNearLimit ||
                 s.wrongCount >= kNearLimit;
    if (!nearLimit_ && s.rightCount + s.wrongCount != s.typedCount) {
        return "right " + std::to_string(s.rightCount) + " + wrong " +
               std::to_string(s.wrongCount) + " != typed " + std::to_string(s.typedCount);
    }
    if (std::string p = captionProblem(c_.lblTrue, kRightCaption, s.rightCount); !p.empty()) {
        return "lblTrue: " + p;
    }
    if (std::string p = captionProblem(c_.lblFalse, kWrongCaption, s.wrongCount); !p.empty()) {
        return "lblFalse: " + p;
    }
    return {};
}

std::size_t PracticeInvariants::lessonLength() {
    const std::u16string& lesson = form_.state().lessonText;
    if (countedUnits_ != lesson.size()) {
        countedUnits_ = lesson.size();
        lessonLength_ = codePointCount(lesson);
    }
    return lessonLength_;
}

std::string PracticeInvariants::checkMarks(bool allMarks) {
    const PracticeState& s = form_.state();
    const auto& marks = c_.lblOK.elements();
    if (!marks.contains(0)) {
        return "the template mark is gone";
    }
    if (marks.rbegin()->first > s.typedCount) {
        return "mark " + std::to_string(marks.rbegin()->first) + " beyond typedCount " +
               std::to_string(s.typedCount);
    }
    const int firstChecked = allMarks ? 1 : std::max(1, s.typedCount - kTouchedMarks);
    for (auto it = marks.lower_bound(firstChecked); it != marks.end(); ++it) {
        const Label& mark = it->second;
        const bool right = mark.backColor == kRightColour && mark.tag == kRightTag;
        const bool wrong = mark.backColor == kWrongColour && mark.tag == kWrongTag;
        if (!right && !wrong) {
            return "mark " + std::to_string(it->first) + " has colour " +
                   std::to_string(mark.backColor) + " and Tag " + u8(mark.tag);
        }
    }
    // Marks past the lesson's last row are never destroyed by the ring; the
    // others are, three rows behind the typing.
    const auto lessonRows = static_cast<long long>((lessonLength() + kRowWidth - 1) /
                                                   static_cast<std::size_t>(kRowWidth));
    const auto lastInLesson = static_cast<int>(std::min<long long>(lessonRows * kRowWidth, 32767));
    const auto inLesson = std::distance(marks.upper_bound(0), marks.upper_bound(lastInLesson));
    if (inLesson > kMaxMarksInLesson) {
        return std::to_string(inLesson) + " live marks within the lesson";
    }
    return {};
}

std::string PracticeInvariants::checkCaret() const {
    const LineShape& caret = c_.Line1;
    const Counter typed = form_.state().typedCount;
    if (caret.x1 != caret.x2) {
        return "the caret is not upright";
    }
    if (caret.x1 == kRowStartCaret) {
        return {};
    }
    if (typed < 1 || !c_.lblOK.exists(typed)) {
        return "the caret stands at " + std::to_string(caret.x1) + " without a newest mark";
    }
    const Label& newest = c_.lblOK[typed];
    if (caret.x1 != rightEdge(newest) || caret.y1 != newest.top ||
        caret.y2 != newest.top + kCaretHeight) {
        return "the caret is not right after mark " + std::to_string(typed);
    }
    return {};
}

// Every moment of the typing time is some standing character's: a
// character taken back leaves its time to the one typed after it.
std::string PracticeInvariants::checkRecordTimes() const {
    const std::vector<double> seconds = characterSeconds(form_.record());
    const double sum = std::accumulate(seconds.begin(), seconds.end(), 0.0);
    const double typing = std::chrono::duration<double>(form_.record().typingTime()).count();
    if (std::abs(sum - typing) > kSecondsTolerance) {
        return "the characters' times sum to " + std::to_string(sum) + " s, the typing time is " +
               std::to_string(typing) + " s";
    }
    return {};
}

} // namespace keyloom
