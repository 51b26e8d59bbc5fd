// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/segment_labels.h"

namespace keyloom {
namespace {

void setCaption(MainControls& controls, std::string_view name, const std::u16string& text) {
    if (const auto found = controls.otherLabels.find(name); found != controls.otherLabels.end()) {
        found->second.caption = text;
    }
}

} // namespace

void showSegment(MainControls& controls, const SegmentRun& run) {
    setCaption(controls, "lblCourse", run.caption());
    setCaption(controls, "lblLastAttempt", run.lastAttemptLine());
}

void showCourseProblem(MainControls& controls, const std::u16string& message) {
    setCaption(controls, "lblCourse", message);
}

} // namespace keyloom
