// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the Windows program: the main window from its design over the
// practice handlers, and the top-level error report.
#include "app/error_report.h"
#include "app/ideal_command.h"
#include "app/win32/new_run.h"
#include "app/win32/program_path.h"
#include "course/course_options.h"
#include "course/course_start.h"
#include "course/segment_labels.h"
#include "data/data_folder.h"
#include "forms/frm_main_design.h"
#include "practice/command_line.h"
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "text/utf8_text.h"
#include "ui/code_hints.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/course_session.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/history_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/report_dialog.h"
#include "version.h"

#include <chrono>
#include <cstdio>
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

// The code tables: ours in "codes" beside the program, and the learner's
// own, which go in the same folder.
std::vector<keyloom::TableFile> codeTables() {
    const std::optional<std::filesystem::path> data = keyloom::dataFolder(programDirectory());
    return keyloom::tableFiles(data ? *data / "codes" : std::filesystem::path(),
                               programDirectory() / "codes");
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

// Options as the command line of a new run takes them.
std::vector<std::wstring> wideOptions(const std::vector<std::string>& options) {
    std::vector<std::wstring> wide;
    for (const std::string& option : options) {
        const std::u16string text = keyloom::fromUtf8(option);
        wide.emplace_back(text.begin(), text.end());
    }
    return wide;
}

// Where a course's texts are: the generated sets in lessons\, the user's
// own texts and the lesson in txt\, all beside the program.
keyloom::LibraryPlaces libraryPlaces() {
    const std::filesystem::path folder = programDirectory();
    return {.sets = folder / "lessons",
            .userTexts = folder / "txt",
            .bundledLesson = keyloom::lessonPath(folder)};
}

// What the window starts with.
struct Start {
    std::optional<keyloom::NewText> lesson;
    std::optional<keyloom::CourseOptions> course;
    std::optional<std::string> hintTable;
    std::u16string textName; // the text's name in the practice journal
};

// A new text named on the command line ("Open with", a file dropped on the
// program) or "-" for standard input, checked as every new text is; none
// for the lesson beside the program, txt\文档.txt. A named lesson is read
// once, as a pipe gives nothing twice. --ideal prints the split and ends.
Start commandLineStart() {
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
    const auto& line = std::get<keyloom::CommandLine>(parsed);
    std::optional<keyloom::CourseOptions> course;
    try {
        course = keyloom::parseCourseOptions(line.course, std::random_device()());
    } catch (const keyloom::CourseError& error) {
        throw std::runtime_error(std::string("keyloom.exe: ") + error.what());
    }
    if (course && line.lessonFile && !line.readsStandardInput()) {
        throw std::runtime_error(
            "keyloom.exe: a course names its own text: give --set or a FILE, not both.");
    }
    std::optional<keyloom::NewText> text;
    if (line.lessonFile) {
        const std::filesystem::path file(
            std::u8string(line.lessonFile->begin(), line.lessonFile->end()));
        text = keyloom::acceptNewText(line.readsStandardInput() ? keyloom::readStandardInput()
                                                                : keyloom::readLessonBytes(file),
                                      file);
    }
    if (line.idealTable) {
        std::exit(keyloom::printIdealSplit(
            codeTables(), *line.idealTable,
            text ? text->text : keyloom::readLesson(keyloom::lessonPath(programDirectory())),
            stdout, stderr));
    }
    return {text, course, line.hintTable, keyloom::startingTextName(line)};
}

int run(int show) {
    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::GdiTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    Start start = commandLineStart();
    // A course that cannot start leaves the lesson, and the window says why.
    std::u16string courseProblem;
    std::optional<keyloom::SegmentRun> segment;
    if (start.course) {
        try {
            keyloom::CourseStart first =
                keyloom::startCourse(*start.course, libraryPlaces(), start.lesson);
            start.lesson = std::move(first.text);
            segment.emplace(std::move(first.segment));
        } catch (const keyloom::CourseError& error) {
            courseProblem = keyloom::fromUtf8(error.what());
        }
    }
    const std::optional<keyloom::NewText>& newText = start.lesson;
    if (newText) {
        form.Form_Load([&newText] { return newText->text; });
        controls.otherLabels.at("lblRefused").caption =
            keyloom::refusedCharsNotice(newText->refusedChars);
    } else {
        form.Form_Load([] { return keyloom::readLesson(keyloom::lessonPath(programDirectory())); });
    }
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });

    keyloom::CodeHints hints(codeTables, form.state().lessonText);
    if (start.hintTable) {
        hints.choose(*start.hintTable);
    }
    // A new run is told its text's name (an empty name is this run's, F3),
    // and the hint chosen travels to it.
    const std::u16string& textName = start.textName;
    const auto startNewRun = [&hints, &textName](HWND old, const std::u16string& text,
                                                 const std::u16string& newName,
                                                 keyloom::OldWindow oldWindow) {
        const std::u16string& name = newName.empty() ? textName : newName;
        std::vector<std::wstring> options = {L"--text-name",
                                             std::wstring(name.begin(), name.end())};
        const std::vector<std::wstring> carried = wideOptions(hints.carriedOptions());
        options.insert(options.end(), carried.begin(), carried.end());
        keyloom::startNewRun(old, text, oldWindow, options);
    };
    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](HWND /*owner*/, const std::exception& error) { keyloom::reportError(error); },
        keyloom::showAboutBox, startNewRun);
    window.setCodeHints(&hints);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window, &startNewRun](const std::u16string& drill) {
        startNewRun(window.hwnd(), drill, std::u16string(keyloom::kDrillTextName),
                    keyloom::OldWindow::Keep);
    };
    // Nothing of the journal is read or made until the learner asks.
    keyloom::ReportJournal journal(textName, keyloom::defaultJournalFolder(),
                                   keyloom::wallClockNow);
    window.setReportOpener([&](HWND owner) {
        const std::optional<keyloom::ReportCodes> codes =
            hints.reportCodes(static_cast<std::size_t>(form.state().typedCount));
        keyloom::showReport(form.record(), startDrill, &journal, owner, codes ? &*codes : nullptr);
    });
    window.setCommandAction(keyloom::ProgramCommand::History, [&](HWND owner) {
        keyloom::showHistory(journal.folder(), keyloom::wallClockNow, startDrill, owner,
                             hints.codesOf());
    });
    if (!courseProblem.empty()) {
        keyloom::showCourseProblem(controls, courseProblem);
    }
    // A course's next segment carries its own options and the hint chosen.
    const keyloom::CourseSession course(
        window, form, controls, libraryPlaces, std::move(segment),
        [&hints](HWND old, const std::u16string& text, const std::vector<std::wstring>& options) {
            std::vector<std::wstring> all = options;
            const std::vector<std::wstring> carried = wideOptions(hints.carriedOptions());
            all.insert(all.end(), carried.begin(), carried.end());
            keyloom::startNewRun(old, text, keyloom::OldWindow::Replace, all);
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
