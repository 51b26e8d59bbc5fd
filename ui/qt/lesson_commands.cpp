// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/lesson_commands.h"

#include "ui/qt/qt_strings.h"
#include "version.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <optional>
#include <utility>

namespace keyloom {
namespace {

// A local file's name as its bytes: a drop's URL carries them
// percent-encoded, also when they are not UTF-8.
std::optional<std::filesystem::path> localFile(const QUrl& url) {
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return std::filesystem::path(bytes.toStdString());
}

std::optional<std::u16string> clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return toU16(data->text());
}

// The widget file dialog keeps its folder history and look in the user's
// QtProject.conf; the program writes no files, so its settings go where
// nothing can be written: a folder below /dev/null cannot exist.
void keepNoDialogHistory() {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
    }
}

} // namespace

LessonCommands::LessonCommands(QWidget& window, const PracticeState& state, NewRunStarter start)
    : window_(window), state_(state), start_(std::move(start)) {}

NewLessonActions LessonCommands::actions() const {
    return {.startNewRun =
                [this](const std::u16string& text, const std::u16string& textName) {
                    start_(window_, text, textName, OldWindow::Replace);
                },
            .tell =
                [this](const std::u16string& message) {
                    QMessageBox::warning(&window_, QString::fromUtf16(kApplicationTitle),
                                         toQString(message));
                }};
}

void LessonCommands::run(LessonCommand command) {
    switch (command) {
    case LessonCommand::Restart: restartLesson(state_, actions()); break;
    case LessonCommand::LoadClipboard: loadClipboardText(clipboardText(), actions()); break;
    case LessonCommand::OpenFile: chooseFile(); break;
    }
}

void LessonCommands::chooseFile() {
    keepNoDialogHistory();
    // Qt's own dialog: a desktop's native one may keep a list of recent files.
    QFileDialog dialog(&window_, QStringLiteral("打开课文"), QDir::currentPath(),
                       QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    openLessonFile(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString(), actions());
}

std::optional<std::filesystem::path> LessonCommands::droppedFile(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (auto file = localFile(url)) {
            return file;
        }
    }
    return std::nullopt;
}

void LessonCommands::open(const std::filesystem::path& file) {
    openLessonFile(file, actions());
}

} // namespace keyloom
