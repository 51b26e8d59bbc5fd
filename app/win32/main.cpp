// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the Windows program: the main window from its design over the
// practice handlers, and the top-level error report.
#include "app/error_report.h"
#include "app/win32/new_run.h"
#include "app/win32/program_path.h"
#include "course/course_options.h"
#include "course/course_start.h"
#include "course/segment_labels.h"
#include "forms/frm_main_design.h"
#include "practice/command_line.h"
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "text/utf8_text.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/course_session.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/main_window.h"
#include "ui/win32/report_dialog.h"
#include "version.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <shellapi.h>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>
#include <windows.h>

namespace {

constexpr int kExitOnError = 1;

std::filesystem::path programDirectory() {
    return std::filesystem::path(keyloom::programPath()).parent_path();
}

std::vector<std::wstring> arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    for (int i = 1; list != nullptr && i < count; ++i) {
        result.emplace_back(list[i]);
    }
    LocalFree(list);
    return result;
}

// Where a course's texts are: the generated sets in lessons\, the user's
// own texts and the lesson in txt\, all beside the program.
keyloom::LibraryPlaces libraryPlaces() {
    const std::filesystem::path folder = programDirectory();
    return {.sets = folder / "lessons",
            .userTexts = folder / "txt",
            .bundledLesson = keyloom::lessonPath(folder)};
}

// What the command line asks for: a new text it names ("Open with", a file
// dropped on the program) or "-" for standard input, checked as every new
// text is, and a course. A named lesson is read once, as a pipe gives
// nothing twice.
struct Request {
    std::optional<keyloom::NewText> lesson{};
    std::optional<keyloom::CourseOptions> course{};
};

Request readCommandLine() {
    std::vector<std::string> utf8;
    for (const std::wstring& argument : arguments()) {
        utf8.push_back(keyloom::toUtf8(std::u16string(argument.begin(), argument.end())));
    }
    const auto parsed = keyloom::parseCommandLine(utf8, "keyloom.exe", keyloom::kVersionText);
    if (const auto* answer = std::get_if<keyloom::CommandLineAnswer>(&parsed)) {
        if (answer->onStandardError) {
            throw std::runtime_error(answer->text);
        }
        std::cout << answer->text << std::flush;
        std::exit(answer->exitStatus);
    }
    const keyloom::CommandLine& line = std::get<keyloom::CommandLine>(parsed);
    Request request;
    try {
        request.course = keyloom::parseCourseOptions(line.course, std::random_device()());
    } catch (const keyloom::CourseError& error) {
        throw std::runtime_error(std::string("keyloom.exe: ") + error.what());
    }
    if (request.course && line.lessonFile && !line.readsStandardInput()) {
        throw std::runtime_error(
            "keyloom.exe: a course names its own text: give --set or a FILE, not both.");
    }
    if (line.lessonFile) {
        const std::filesystem::path file(
            std::u8string(line.lessonFile->begin(), line.lessonFile->end()));
        request.lesson =
            keyloom::acceptNewText(line.readsStandardInput() ? keyloom::readStandardInput()
                                                             : keyloom::readLessonBytes(file),
                                   file);
    }
    return request;
}

int run(int show) {
    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::GdiTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    Request request = readCommandLine();
    // A course that cannot start leaves the lesson, and the window says why.
    std::u16string courseProblem;
    std::optional<keyloom::SegmentRun> segment;
    if (request.course) {
        try {
            keyloom::CourseStart start =
                keyloom::startCourse(*request.course, libraryPlaces(), request.lesson);
            request.lesson = std::move(start.text);
            segment.emplace(std::move(start.segment));
        } catch (const keyloom::CourseError& error) {
            courseProblem = keyloom::fromUtf8(error.what());
        }
    }
    const std::optional<keyloom::NewText>& newText = request.lesson;
    if (newText) {
        form.Form_Load([&newText] { return newText->text; });
        controls.otherLabels.at("lblRefused").caption =
            keyloom::refusedCharsNotice(newText->refusedChars);
    } else {
        form.Form_Load([] { return keyloom::readLesson(keyloom::lessonPath(programDirectory())); });
    }
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });

    // No option travels from run to run yet.
    const std::vector<std::wstring> carried;
    const auto startNewRun = [&carried](HWND old, const std::u16string& text,
                                        keyloom::OldWindow oldWindow) {
        keyloom::startNewRun(old, text, oldWindow, carried);
    };
    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](HWND /*owner*/, const std::exception& error) { keyloom::reportError(error); },
        keyloom::showAboutBox, startNewRun);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window, &startNewRun](const std::u16string& drill) {
        startNewRun(window.hwnd(), drill, keyloom::OldWindow::Keep);
    };
    window.setReportOpener(
        [&](HWND owner) { keyloom::showReport(form.record(), startDrill, owner); });
    if (!courseProblem.empty()) {
        keyloom::showCourseProblem(controls, courseProblem);
    }
    const keyloom::CourseSession course(
        window, form, controls, libraryPlaces, std::move(segment),
        [](HWND old, const std::u16string& text, const std::vector<std::wstring>& options) {
            keyloom::startNewRun(old, text, keyloom::OldWindow::Replace, options);
        });
    window.create(show, keyloom::placeLikeStarter());
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int show) {
    try {
        return run(show);
    } catch (const std::exception& error) {
        keyloom::reportError(error);
        return kExitOnError;
    }
}
