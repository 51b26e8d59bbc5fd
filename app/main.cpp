#include "app/error_report.h"
#include "practice/lesson_file.h"
#include "ui/frm_main_design.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <filesystem>

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

constexpr int kExitOnError = 1;

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keyloom-32.png")));

    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::QtTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    try {
        form.Form_Load(keyloom::lessonPath(programDirectory()));
    } catch (const std::exception& error) {
        keyloom::reportError(error);
        return kExitOnError;
    }

    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](const std::exception& error) {
            keyloom::reportError(error);
            QCoreApplication::exit(kExitOnError);
        },
        keyloom::showAboutBox);
    window.show();
    return QApplication::exec();
}
