// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/course_session.h"
#include "app/error_report.h"
#include "app/ideal_command.h"
#include "app/new_run.h"
#include "app/standard_input.h"
#include "course/course_options.h"
#include "course/course_start.h"
#include "data/data_folder.h"
#include "forms/frm_main_design.h"
#include "practice/command_line.h"
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "text/utf8_text.h"
#include "ui/code_hints.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/active_input_method.h"
#include "ui/qt/history_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/report_dialog.h"
#include "version.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

// The directory of the real executable: a link to it elsewhere still finds
// the lesson beside the program.
std::filesystem::path programDirectory() {
    const QString dir = QCoreApplication::applicationDirPath();
#ifdef _WIN32
    return {dir.toStdWString()};
#else
    return {QFile::encodeName(dir).toStdString()};
#endif
}

// The user's own lesson first, where no root is needed; on Windows the
// program's folder is already the user's.
std::vector<std::filesystem::path> lessonPlaces() {
#ifdef _WIN32
    return {keyloom::lessonPath(programDirectory())};
#else
    return keyloom::lessonPlaces(
        keyloom::userDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
        programDirectory());
#endif
}

// The code tables: ours, then the learner's own.
std::vector<keyloom::TableFile> codeTables() {
    const std::optional<std::filesystem::path> data = keyloom::dataFolder(programDirectory());
    const std::filesystem::path ours = data ? *data / "codes" : std::filesystem::path();
#ifdef _WIN32
    const std::filesystem::path own = programDirectory() / "codes";
#else
    const std::filesystem::path own = keyloom::userCodesFolder(
        keyloom::userDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
#endif
    return keyloom::tableFiles(ours, own);
}

// Where a course's texts are: the generated sets in the data folder, the
// user's own texts and the lesson.
keyloom::LibraryPlaces libraryPlaces() {
    const std::filesystem::path programDir = programDirectory();
    keyloom::LibraryPlaces places{
        .sets = keyloom::dataFolder(programDir).value_or(programDir) / "lessons",
        .userTexts = keyloom::userDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")) /
                     "keyloom" / "txt",
        .bundledLesson = keyloom::lessonPath(programDir)};
    try {
        places.bundledLesson = keyloom::findLesson(lessonPlaces());
    } catch (const std::exception&) {
        // The course names a missing lesson as it names any missing text.
    }
    return places;
}

// Name and version for --version, the desktop file name for a Wayland
// compositor's icon; set before either application object exists.
void setIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("keyloom"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(keyloom::kVersionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.keyloom.keyloom"));
}

constexpr std::string_view kProgramName = "keyloom";

// Ends the program before any window with `message` on stderr.
[[noreturn]] void refuse(std::string_view message, int status) {
    std::cerr << kProgramName << ": " << message << "\n";
    std::exit(status);
}

// Where Qt can open a window: an X or Wayland display, or a platform named
// in QT_QPA_PLATFORM that needs none (offscreen, vnc...).
bool displayFound() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (set("DISPLAY") || set("WAYLAND_DISPLAY")) {
        return true;
    }
    const std::string_view platform = set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    return !platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland");
}

// The text a lesson named on the command line gives, or standard input's.
keyloom::NewText readNewText(const keyloom::CommandLine& line) {
    const std::filesystem::path file(*line.lessonFile);
    try {
        return keyloom::acceptNewText(line.readsStandardInput() ? keyloom::readStandardInput()
                                                                : keyloom::readLessonBytes(file),
                                      file);
    } catch (const std::exception& error) {
        refuse(error.what(), keyloom::kExitOnFileError);
    }
}

// --ideal: the split on the terminal, no window; the lesson is the one the
// window would show.
[[noreturn]] void printIdeal(int argc, char* argv[], const keyloom::CommandLine& line) {
    const QCoreApplication core(argc, argv);
    std::u16string text;
    try {
        text = line.lessonFile ? readNewText(line).text
                               : keyloom::readLesson(keyloom::findLesson(lessonPlaces()));
    } catch (const std::exception& error) {
        refuse(error.what(), keyloom::kExitOnFileError);
    }
    std::exit(keyloom::printIdealSplit(codeTables(), *line.idealTable, text, stdout, stderr));
}

// The command line is read, and a lesson named there read, before Qt starts:
// --help works anywhere, and a missing display or a bad text fails before a
// window opens, before standard input is read. The lesson is read here once:
// a pipe has nothing to give a second time.
struct StartingText {
    std::optional<keyloom::NewText> lesson{};
    std::optional<keyloom::SegmentRun> segment{};
    std::u16string courseProblem{}; // why the course named could not start
};

// What the command line asks for: a lesson it names, and a course.
struct Request {
    std::optional<keyloom::NewText> lesson{};
    std::optional<keyloom::CourseOptions> course{};
    std::optional<std::string> hintTable{};
    std::u16string textName{}; // the text's name in the practice journal
};

// The segment a course starts with, checked as every new text is; the text
// handed over on standard input when it comes from the run before.
StartingText startCourse(const keyloom::CourseOptions& course,
                         std::optional<keyloom::NewText> handedOver) {
    try {
        keyloom::CourseStart start = keyloom::startCourse(course, libraryPlaces(), handedOver);
        return {.lesson = std::move(start.text),
                .segment = std::move(start.segment),
                .courseProblem = {}};
    } catch (const keyloom::CourseError& error) {
        // The program starts with its lesson, and the window says why.
        std::cerr << kProgramName << ": " << error.what() << "\n";
        return {.lesson = std::move(handedOver),
                .segment = std::nullopt,
                .courseProblem = QString::fromUtf8(error.what()).toStdU16String()};
    }
}

Request readCommandLine(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::variant<keyloom::CommandLine, keyloom::CommandLineAnswer> parsed =
        keyloom::parseCommandLine(arguments, kProgramName, keyloom::kVersionText);
    if (const auto* answer = std::get_if<keyloom::CommandLineAnswer>(&parsed)) {
        (answer->onStandardError ? std::cerr : std::cout) << answer->text << std::flush;
        std::exit(answer->exitStatus);
    }
    if (const auto* line = std::get_if<keyloom::CommandLine>(&parsed);
        line != nullptr && line->idealTable) {
        printIdeal(argc, argv, *line);
    }
    if (!displayFound()) {
        refuse("no display found: neither DISPLAY nor WAYLAND_DISPLAY is set, and Keyloom "
               "needs a graphical desktop to open its window.",
               keyloom::kExitOnFileError);
    }
    const auto& line = std::get<keyloom::CommandLine>(parsed);
    std::optional<keyloom::CourseOptions> course;
    try {
        course = keyloom::parseCourseOptions(line.course, std::random_device()());
    } catch (const keyloom::CourseError& error) {
        refuse(std::string(error.what()) + "\nTry 'keyloom --help' for more information.",
               keyloom::kExitOnUsageError);
    }
    if (course && line.lessonFile && !line.readsStandardInput()) {
        refuse("a course names its own text: give --set or a FILE, not both.",
               keyloom::kExitOnUsageError);
    }
    std::optional<keyloom::NewText> lesson;
    if (line.lessonFile) {
        lesson = readNewText(line);
    }
    return {.lesson = std::move(lesson),
            .course = course,
            .hintTable = line.hintTable,
            .textName = keyloom::startingTextName(line)};
}

// Any other error that reaches the top level while the window runs.
constexpr int kExitOnError = 1;

int run(int argc, char* argv[]) {
    // A write to a pipe whose reader is gone, such as the starter of this
    // run ending before it was told this window is up, fails instead of
    // ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    setIdentity();
    Request request = readCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keyloom-32.png")));
    // The course's texts are found from the program's folder, which only
    // the application object knows.
    StartingText start = request.course ? startCourse(*request.course, std::move(request.lesson))
                                        : StartingText{.lesson = std::move(request.lesson),
                                                       .segment = std::nullopt,
                                                       .courseProblem = {}};
    const std::optional<keyloom::NewText>& lesson = start.lesson;

    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::QtTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });
    try {
        if (lesson) {
            form.Form_Load([&lesson] { return lesson->text; });
            controls.otherLabels.at("lblRefused").caption =
                keyloom::refusedCharsNotice(lesson->refusedChars);
        } else {
            form.Form_Load(keyloom::findLesson(lessonPlaces()));
        }
    } catch (const std::exception& error) {
        keyloom::reportError(error);
        return keyloom::kExitOnFileError;
    }

    keyloom::CodeHints hints(codeTables, form.state().lessonText);
    if (request.hintTable && !hints.choose(*request.hintTable)) {
        std::cerr << keyloom::unknownTableMessage(codeTables(), *request.hintTable) << "\n";
    }
    // A new run is told its text's name (an empty name is this run's, F3),
    // and the hint chosen travels to it.
    const std::u16string& textName = request.textName;
    const auto startNewRun = [&hints, &textName](QWidget& old, const std::u16string& text,
                                                 const std::u16string& newName,
                                                 keyloom::OldWindow oldWindow) {
        std::vector<std::string> options = {"--text-name",
                                            keyloom::toUtf8(newName.empty() ? textName : newName)};
        const std::vector<std::string> carried = hints.carriedOptions();
        options.insert(options.end(), carried.begin(), carried.end());
        keyloom::startNewRun(old, text, oldWindow, options);
    };
    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](const std::exception& error) {
            keyloom::reportError(error);
            QCoreApplication::exit(kExitOnError);
        },
        keyloom::showAboutBox, startNewRun);
    window.setCodeHints(&hints);
    keyloom::placeLikeStarter(window);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window, &startNewRun](const std::u16string& drill) {
        startNewRun(window, drill, std::u16string(keyloom::kDrillTextName),
                    keyloom::OldWindow::Keep);
    };
    // Nothing of the journal is read or made until the learner asks.
    keyloom::ReportJournal journal(textName, keyloom::defaultJournalFolder(),
                                   keyloom::wallClockNow);
    window.setReportOpener([&](QWidget* parent) {
        const std::optional<keyloom::ReportCodes> codes =
            hints.reportCodes(static_cast<std::size_t>(form.state().typedCount));
        keyloom::showReport(form.record(), startDrill, &journal, parent, codes ? &*codes : nullptr);
    });
    window.setCommandAction(keyloom::ProgramCommand::History, [&](QWidget* parent) {
        keyloom::showHistory(journal.folder(), keyloom::wallClockNow, startDrill, parent,
                             hints.codesOf());
    });
    if (!start.courseProblem.empty()) {
        keyloom::showCourseProblem(controls, start.courseProblem);
    }
    const keyloom::CourseSession course(window, form, controls, libraryPlaces,
                                        std::move(start.segment),
                                        [&hints] { return hints.carriedOptions(); });
    window.show();
    keyloom::tellStarterWhenShown(window);
    if (!request.hintTable) {
        // The active input method's table, unless F6 chose first; asked once
        // the window is up, so that start-up never waits for the answer.
        keyloom::askActiveInputMethod(window, [&hints, &window](const std::string& method) {
            if (hints.chooseForInputMethod(method)) {
                window.showCodeHintChoice();
            }
        });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // What escapes the start-up and the window's own error report.
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "keyloom: %s\n", error.what());
    } catch (...) {
        std::fputs("keyloom: an unknown error\n", stderr);
    }
    return kExitOnError;
}
