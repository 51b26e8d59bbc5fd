// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"
#include "app/error_report.h"
#include "app/ideal_command.h"
#include "app/new_run.h"
#include "app/standard_input.h"
#include "forms/frm_main_design.h"
#include "practice/lesson_file.h"
#include "ui/code_hints.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/report_dialog.h"
#include "version.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
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
#ifdef _WIN32
    const std::filesystem::path userFolder = programDirectory() / "codes";
#else
    const std::filesystem::path userFolder = keyloom::userCodesFolder(
        keyloom::userDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
#endif
    return keyloom::tableFiles(keyloom::builtInCodesFolder(programDirectory()), userFolder);
}

// Name and version for --version, the desktop file name for a Wayland
// compositor's icon; set before either application object exists.
void setIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("keyloom"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(keyloom::kVersionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("keyloom"));
}

// The command line is read, and a lesson named there read, without a
// display, so that --help works anywhere and a bad file fails before a
// window opens. The lesson is read here once: a pipe has nothing to give a
// second time.
// What the window starts with.
struct Start {
    std::optional<std::u16string> lesson;
    std::optional<std::string> hintTable;
};

// --hint names a table there is.
void checkHintTable(const std::optional<std::string>& name) {
    if (!name) {
        return;
    }
    const std::vector<keyloom::TableFile> tables = codeTables();
    if (keyloom::findTable(tables, *name) == nullptr) {
        std::fprintf(stderr, "%s\n", keyloom::unknownTableMessage(tables, *name).c_str());
        std::exit(keyloom::kExitOnUsageError);
    }
}

Start readCommandLine(int& argc, char* argv[]) {
    const QCoreApplication core(argc, argv);
    const keyloom::CommandLine line = keyloom::parseCommandLine(argc, argv);
    checkHintTable(line.hintTable);
    if (!line.lessonFile && !line.idealTable) {
        return {std::nullopt, line.hintTable};
    }
    try {
        std::u16string text;
        if (!line.lessonFile) {
            text = keyloom::readLesson(keyloom::findLesson(lessonPlaces()));
        } else {
            text = line.readsStandardInput() ? keyloom::readStandardInput()
                                             : keyloom::readLesson(*line.lessonFile);
        }
        if (line.idealTable) {
            std::exit(
                keyloom::printIdealSplit(codeTables(), *line.idealTable, text, stdout, stderr));
        }
        return {text, line.hintTable};
    } catch (const std::exception& error) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": "
                            << QString::fromUtf8(error.what()) << "\n";
        std::exit(keyloom::kExitOnFileError);
    }
}

// Any other error that reaches the top level while the window runs.
constexpr int kExitOnError = 1;

} // namespace

int main(int argc, char* argv[]) {
    setIdentity();
    const Start start = readCommandLine(argc, argv);
    const std::optional<std::u16string>& lesson = start.lesson;

    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keyloom-32.png")));

    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::QtTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });
    try {
        if (lesson) {
            form.Form_Load([&lesson] { return *lesson; });
        } else {
            form.Form_Load(keyloom::findLesson(lessonPlaces()));
        }
    } catch (const std::exception& error) {
        keyloom::reportError(error);
        return keyloom::kExitOnFileError;
    }

    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](const std::exception& error) {
            keyloom::reportError(error);
            QCoreApplication::exit(kExitOnError);
        },
        keyloom::showAboutBox, keyloom::startNewRun);
    keyloom::CodeHints hints(codeTables, form.state().lessonText);
    if (start.hintTable) {
        hints.choose(*start.hintTable);
    }
    window.setCodeHints(&hints);
    keyloom::placeLikeStarter(window);
    // The drill opens in a new run of its own beside this one.
    const keyloom::DrillStarter startDrill = [&window](const std::u16string& drill) {
        keyloom::startNewRun(window, drill, keyloom::OldWindow::Keep);
    };
    window.setReportOpener(
        [&](QWidget* parent) { keyloom::showReport(form.record(), startDrill, parent); });
    window.show();
    keyloom::tellStarterWhenShown(window);
    return QApplication::exec();
}
