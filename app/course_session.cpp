// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/course_session.h"

#include "app/new_run.h"
#include "course/course_options.h"
#include "ui/qt/lesson_window.h"
#include "ui/qt/typing_box.h"

#include <QTimer>
#include <random>

namespace keyloom {
namespace {

// Long enough to see the last character marked, short enough to type on.
constexpr int kJudgementShownMs = 1000;

void setCaption(MainControls& controls, std::string_view name, const std::u16string& text) {
    if (const auto found = controls.otherLabels.find(name); found != controls.otherLabels.end()) {
        found->second.caption = text;
    }
}

} // namespace

void showCourseProblem(MainControls& controls, const std::u16string& message) {
    setCaption(controls, "lblCourse", message);
}

CourseSession::CourseSession(MainWindow& window, FrmMain& form, MainControls& controls,
                             std::function<LibraryPlaces()> places, std::optional<SegmentRun> run)
    : window_(window), form_(form), controls_(controls), places_(std::move(places)),
      run_(std::move(run)) {
    window_.setExtraKeys([this](Counter keyCode, Counter shift) { return key(keyCode, shift); });
    if (run_) {
        window_.setAfterChange([this] { changed(); });
        show();
    }
}

void CourseSession::show() {
    setCaption(controls_, "lblCourse", run_->caption());
    setCaption(controls_, "lblLastAttempt", run_->lastAttemptLine());
}

void CourseSession::start(const CourseOptions& options) {
    startNewRun(window_, u"", OldWindow::Replace, courseArguments(options));
}

bool CourseSession::key(Counter keyCode, Counter shift) {
    const auto command = courseCommandFor(keyCode, shift, run_.has_value());
    if (!command) {
        return false;
    }
    window_.typingBox()->abandonComposition();
    if (*command == CourseCommand::OpenLessons) {
        showLessonWindow(
            LessonChoices(readLibrary(places_()), std::random_device()()),
            [this](const CourseOptions& options) { start(options); }, &window_);
    } else if (!run_->judged()) {
        start(run_->after(*command));
    }
    return true;
}

void CourseSession::changed() {
    const auto next = run_->judge(form_.record());
    if (!next) {
        return;
    }
    show();
    QTimer::singleShot(kJudgementShownMs, &window_, [this, options = *next] { start(options); });
}

} // namespace keyloom
