// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/course_session.h"

#include "app/new_run.h"
#include "course/course_options.h"
#include "course/segment_labels.h"
#include "ui/qt/lesson_window.h"
#include "version.h"

#include <QMessageBox>
#include <QTimer>
#include <random>

namespace keyloom {

CourseSession::CourseSession(MainWindow& window, FrmMain& form, MainControls& controls,
                             std::function<LibraryPlaces()> places, std::optional<SegmentRun> run,
                             std::function<std::vector<std::string>()> carried)
    : window_(window), form_(form), controls_(controls), places_(std::move(places)),
      run_(std::move(run)), carried_(std::move(carried)) {
    window_.setCommandAction(ProgramCommand::LessonWindow, [this](QWidget* parent) {
        showLessonWindow(
            LessonChoices(readLibrary(places_()), std::random_device()()),
            [this](const CourseOptions& options) { start(options); }, parent);
    });
    if (!run_) {
        return;
    }
    for (const auto& [command, step] :
         {std::pair{ProgramCommand::Restart, 0}, std::pair{ProgramCommand::NextSegment, 1},
          std::pair{ProgramCommand::PreviousSegment, -1}}) {
        window_.setCommandAction(command, [this, step = step](QWidget* /*parent*/) {
            if (!run_->judged()) {
                start(run_->after(step));
            }
        });
    }
    window_.setAfterChange([this] { changed(); });
    show();
}

void CourseSession::show() {
    showSegment(controls_, *run_);
}

void CourseSession::start(const CourseOptions& options) {
    try {
        const SegmentRun next(options, places_());
        std::vector<std::string> arguments = courseArguments(options);
        const std::vector<std::string> carried = carried_();
        arguments.insert(arguments.end(), carried.begin(), carried.end());
        startNewRun(window_, next.text(), OldWindow::Replace, arguments);
    } catch (const CourseError& error) {
        QMessageBox::warning(&window_, QString::fromUtf16(kApplicationTitle),
                             QString::fromUtf8(error.what()));
    }
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
