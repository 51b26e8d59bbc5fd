// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/course_session.h"

#include "course/course_options.h"
#include "course/segment_labels.h"
#include "text/utf8_text.h"
#include "ui/win32/lesson_dialog.h"
#include "version.h"

#include <random>
#include <string>
#include <vector>

namespace keyloom {
namespace {

// The options that carry `options` to the new run, as its command line.
std::vector<std::wstring> carriedArguments(const CourseOptions& options) {
    std::vector<std::wstring> result;
    for (const std::string& argument : courseArguments(options)) {
        const std::u16string wide = fromUtf8(argument);
        result.emplace_back(wide.begin(), wide.end());
    }
    return result;
}

} // namespace

CourseSession::CourseSession(MainWindow& window, FrmMain& form, MainControls& controls,
                             std::function<LibraryPlaces()> places, std::optional<SegmentRun> run,
                             SegmentStarter startSegment)
    : window_(window), form_(form), controls_(controls), places_(std::move(places)),
      run_(std::move(run)), startSegment_(std::move(startSegment)) {
    window_.setCommandAction(ProgramCommand::LessonWindow, [this](HWND owner) {
        showLessonDialog(
            LessonChoices(readLibrary(places_()), std::random_device()()),
            [this](const CourseOptions& options) { start(options); }, owner);
    });
    if (!run_) {
        return;
    }
    for (const auto& [command, step] :
         {std::pair{ProgramCommand::Restart, 0}, std::pair{ProgramCommand::NextSegment, 1},
          std::pair{ProgramCommand::PreviousSegment, -1}}) {
        window_.setCommandAction(command, [this, step = step](HWND /*owner*/) {
            if (!run_->judged()) {
                start(run_->after(step));
            }
        });
    }
    window_.setAfterChange([this] { changed(); });
    showSegment(controls_, *run_);
}

void CourseSession::start(const CourseOptions& options) {
    try {
        const SegmentRun next(options, places_());
        startSegment_(window_.hwnd(), next.text(), carriedArguments(options));
    } catch (const CourseError& error) {
        const std::u16string title = kApplicationTitle;
        const std::u16string message = fromUtf8(error.what());
        MessageBoxW(window_.hwnd(), std::wstring(message.begin(), message.end()).c_str(),
                    std::wstring(title.begin(), title.end()).c_str(), MB_OK | MB_ICONWARNING);
    }
}

void CourseSession::changed() {
    const auto next = run_->judge(form_.record());
    if (!next) {
        return;
    }
    showSegment(controls_, *run_);
    window_.runLater(kJudgementShownMs, [this, options = *next] { start(options); });
}

} // namespace keyloom
