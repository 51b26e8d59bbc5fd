// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/course_session.h"
#include "app/error_report.h"
#include "app/new_run.h"
#include "app/standard_input.h"
#include "course/course_options.h"
#include "course/course_start.h"
#include "data/data_folder.h"
#include "forms/frm_main_design.h"
#include "practice/command_line.h"
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/report_dialog.h"
#include "version.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <chrono>
#include <csignal>
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
    if (!displayFound()) {
        refuse("no display found: neither DISPLAY nor WAYLAND_DISPLAY is set, and Keyloom "
               "needs a graphical desktop to open its window.",
               keyloom::kExitOnFileError);
    }
    const keyloom::CommandLine& line = std::get<keyloom::CommandLine>(parsed);
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
        const std::filesystem::path file(*line.lessonFile);
        try {
            lesson =
                keyloom::acceptNewText(line.readsStandardInput() ? keyloom::readStandardInput()
                                                                 : keyloom::readLessonBytes(file),
                                       file);
        } catch (const std::exception& error) {
            refuse(error.what(), keyloom::kExitOnFileError);
        }
    }
    return {.lesson = std::move(lesson), .course = course};
}

// Any other error that reaches the top level while the window runs.
constexpr int kExitOnError = 1;

} // namespace

int main(int argc, char* argv[]) {
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

    // No option travels from run to run yet.
    const std::vector<std::string> carried;
    const auto startNewRun = [&carried](QWidget& old, const std::u16string& text,
                                        keyloom::OldWindow oldWindow) {
        keyloom::startNewRun(old, text, oldWindow, carried);
    };
    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](const std::exception& error) {
            keyloom::reportError(error);
            QCoreApplication::exit(kExitOnError);
        },
        keyloom::showAboutBox, startNewRun);
    keyloom::placeLikeStarter(window);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window, &startNewRun](const std::u16string& drill) {
        startNewRun(window, drill, keyloom::OldWindow::Keep);
    };
    window.setReportOpener(
        [&](QWidget* parent) { keyloom::showReport(form.record(), startDrill, parent); });
    if (!start.courseProblem.empty()) {
        keyloom::showCourseProblem(controls, start.courseProblem);
    }
    const keyloom::CourseSession course(window, form, controls, libraryPlaces,
                                        std::move(start.segment));
    window.show();
    keyloom::tellStarterWhenShown(window);
    return QApplication::exec();
}
