// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// From F2 to the practice report drawn, with the 32,767 characters a run can
// score in the record, one in five wrong and every commit timed: the F2 key
// event sent to the real typing box, the report built from the record and
// painted. Prints the median of nine as report_open_ms=...
#include "forms/frm_main_design.h"
#include "practice/keystroke_counter.h"
#include "practice/lesson_file.h"
#include "tests/support/rules_box.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/report_dialog.h"
#include "ui/qt/typing_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kCharacters = 32767;
constexpr int kRuns = 9;
constexpr int kWrongEvery = 5;

QByteArray lessonBytes() {
    QString text;
    for (int i = 0; i < kCharacters + 10; ++i) {
        text += QChar(0x4E00 + i % 20000);
    }
    return text.toUtf8();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    using namespace keyloom;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("txt"));
    QFile file(dir.filePath(QStringLiteral("txt/文档.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(lessonBytes()) < 0) {
        std::fprintf(stderr, "cannot write the lesson\n");
        return 1;
    }
    file.close();

    MainControls controls = frmMainControls();
    const QtTextMeasure measure;
    FrmMain form(controls, measure);
    // A commit every 0.4 s of a fake clock, so that every figure has times.
    std::chrono::nanoseconds now{};
    form.record().setClock([&] { return now; });
    form.Form_Load(lessonPath(QFile::encodeName(dir.path()).toStdString()));
    test::RulesBox box(form, controls.txtType);
    KeystrokeCounter keystrokes(form.record());
    for (int i = 0; i < kCharacters; ++i) {
        now += std::chrono::milliseconds(400);
        keystrokes.keyDown(kKeyProcessedByIme, 0);
        const auto next = static_cast<std::size_t>(form.state().typedCount);
        const char16_t ch = i % kWrongEvery == 0 ? u'?' : form.state().lessonText[next];
        box.commit(std::u16string_view(&ch, 1));
    }
    if (form.record().characters().size() != kCharacters) {
        std::fprintf(stderr, "the record holds %zu characters\n",
                     form.record().characters().size());
        return 1;
    }

    MainWindow window(form, controls, frmMainDesign(), [](const std::exception&) {});
    window.clockTimer()->stop();
    window.caretTimer()->stop();
    std::vector<double> millis;
    Clock::time_point start;
    window.setReportOpener([&](QWidget* parent) {
        ReportDialog report(form.record(), {}, nullptr, parent);
        report.show();
        report.repaint(); // drawn, now
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    });
    window.show();
    QApplication::processEvents();
    for (int i = 0; i < kRuns; ++i) {
        QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        start = Clock::now();
        QApplication::sendEvent(window.typingBox(), &f2);
        QApplication::processEvents();
    }
    std::ranges::sort(millis);
    std::printf("report_open_ms=%.1f\n", millis[millis.size() / 2]);
    return 0;
}
