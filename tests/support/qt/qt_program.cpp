// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/qt/qt_program.h"

#include "practice/lesson_file.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QTimer>
#include <chrono>
#include <stdexcept>

namespace keyloom::test {

QtProgram::QtProgram(const QByteArray& lesson, Options options)
    : controls(frmMainControls(*options.design)) {
    QDir(dir.path()).mkpath(QStringLiteral("txt"));
    QFile file(dir.filePath(QStringLiteral("txt/文档.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(lesson) != lesson.size()) {
        throw std::runtime_error("cannot write the lesson");
    }
    file.close();
    // The program's own clock, so that the run's record costs what it costs there.
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });
    form.Form_Load(lessonPath(QFile::encodeName(dir.path()).toStdString()));
    window = std::make_unique<MainWindow>(
        form, controls, *options.design,
        [this](const std::exception& error) {
            ++fatalErrors;
            fatalError = error.what();
        },
        std::move(options.openAboutBox));
    if (!options.timers) {
        window->clockTimer()->stop();
        window->caretTimer()->stop();
    }
    window->show();
    window->activateWindow();
    const QDeadlineTimer deadline(5000);
    while (!box()->hasFocus() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    focused = box()->hasFocus();
}

void QtProgram::commit(const QString& text) const {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box(), &event);
}

} // namespace keyloom::test
