// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/frm_main_design.h"
#include "practice/frm_main.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/typing_box.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

namespace keyloom::test {

// The Qt program on a lesson of its own, as the widget tests, the soak and
// the window benchmark drive it: the lesson file written into a throwaway
// folder and loaded, the main window made from a design, shown and given the
// focus (text reaches the box only then). Errors are counted, not shown.
struct QtProgram {
    struct Options {
        const WindowDescription* design = &frmMainDesign();
        MainWindow::AboutBoxOpener openAboutBox{};
        bool timers = true; // false: ticks are sent by hand
    };

    // `lesson` is the file's bytes (UTF-8, or GBK).
    explicit QtProgram(const QByteArray& lesson, Options options);
    explicit QtProgram(const QString& lesson) : QtProgram(lesson.toUtf8(), Options{}) {}

    [[nodiscard]] TypingBox* box() const { return window->typingBox(); }
    // An input method's commit of `text`.
    void commit(const QString& text) const;

    QTemporaryDir dir;
    MainControls controls;
    QtTextMeasure measure;
    FrmMain form{controls, measure};
    std::unique_ptr<MainWindow> window;
    int fatalErrors = 0;
    std::string fatalError;
    bool focused = false; // whether the box got the focus
};

} // namespace keyloom::test
