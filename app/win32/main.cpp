// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the Windows program: the main window from its design over the
// practice handlers, and the top-level error report.
#include "app/error_report.h"
#include "app/win32/new_run.h"
#include "app/win32/program_path.h"
#include "forms/frm_main_design.h"
#include "practice/command_line.h"
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "text/utf8_text.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/history_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/report_dialog.h"
#include "version.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
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

// A new text named on the command line ("Open with", a file dropped on the
// program) or "-" for standard input, checked as every new text is; none
// for the lesson beside the program, txt\文档.txt. A named lesson is read
// once, as a pipe gives nothing twice.
std::optional<keyloom::NewText> commandLineText(std::u16string& textName) {
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
    textName = keyloom::startingTextName(line);
    if (!line.lessonFile) {
        return std::nullopt;
    }
    const std::filesystem::path file(
        std::u8string(line.lessonFile->begin(), line.lessonFile->end()));
    return keyloom::acceptNewText(line.readsStandardInput() ? keyloom::readStandardInput()
                                                            : keyloom::readLessonBytes(file),
                                  file);
}

int run(int show) {
    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::GdiTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    std::u16string textName;
    const std::optional<keyloom::NewText> newText = commandLineText(textName);
    if (newText) {
        form.Form_Load([&newText] { return newText->text; });
        controls.otherLabels.at("lblRefused").caption =
            keyloom::refusedCharsNotice(newText->refusedChars);
    } else {
        form.Form_Load([] { return keyloom::readLesson(keyloom::lessonPath(programDirectory())); });
    }
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });

    // A new run is told its text's name; an empty name is this run's (F3).
    const auto startNewRun = [&textName](HWND old, const std::u16string& text,
                                         const std::u16string& newName,
                                         keyloom::OldWindow oldWindow) {
        const std::u16string& name = newName.empty() ? textName : newName;
        const std::vector<std::wstring> options = {L"--text-name",
                                                   std::wstring(name.begin(), name.end())};
        keyloom::startNewRun(old, text, oldWindow, options);
    };
    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](HWND /*owner*/, const std::exception& error) { keyloom::reportError(error); },
        keyloom::showAboutBox, startNewRun);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window, &startNewRun](const std::u16string& drill) {
        startNewRun(window.hwnd(), drill, std::u16string(keyloom::kDrillTextName),
                    keyloom::OldWindow::Keep);
    };
    // Nothing of the journal is read or made until the learner asks.
    keyloom::ReportJournal journal(textName, keyloom::defaultJournalFolder(),
                                   keyloom::wallClockNow);
    window.setReportOpener(
        [&](HWND owner) { keyloom::showReport(form.record(), startDrill, &journal, owner); });
    window.setCommandAction(keyloom::ProgramCommand::History, [&](HWND owner) {
        keyloom::showHistory(journal.folder(), keyloom::wallClockNow, startDrill, owner);
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
