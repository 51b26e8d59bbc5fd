// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The practice report's window on the offscreen platform: what it shows, its
// four buttons and their keys.
#include "practice/keystroke_counter.h"
#include "ui/qt/report_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

using namespace keyloom;

namespace {

// A run of 我们 right, 他 typed for 你, and 好 after a pause of 5 s.
RunRecord sampleRun(std::chrono::nanoseconds& now) {
    RunRecord record([&now] { return now; });
    KeystrokeCounter keys(record);
    for (int i = 0; i < 6; ++i) {
        keys.keyDown(229, 0);
    }
    now = std::chrono::seconds(1);
    record.score(U'我', U'我');
    record.score(U'们', U'们');
    keys.keyDown(229, 0);
    now = std::chrono::seconds(2);
    record.score(U'你', U'他');
    keys.keyDown(229, 0);
    now = std::chrono::seconds(7);
    record.score(U'好', U'好');
    return record;
}

} // namespace

class ReportDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheRunAndCopiesItsLine() {
        std::chrono::nanoseconds now{};
        const RunRecord record = sampleRun(now);
        std::u16string drilled;
        ReportDialog dialog(
            record, [&](const std::u16string& lesson) { drilled = lesson; }, nullptr, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("成绩 KeyloomV1.0"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblWrong"))->text(),
                 QStringLiteral("你 → 他 ×1"));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblSlow"))
                    ->text()
                    .startsWith(QStringLiteral("好 5.0 秒\n")));

        // Alt+C and Alt+D are pressed for real in the desktop tests: the
        // offscreen platform has no access keys.
        dialog.findChild<QPushButton*>(QStringLiteral("cmdCopy"))->click();
        const QString line = QStringLiteral(
            "Keyloom 1.0 速度34字/分 击键1.14 码长2.00 回改0 正确率750‰ 字数4 错字1 用时0:07");
        QCOMPARE(QGuiApplication::clipboard()->text(), line);

        auto* drill = dialog.findChild<QPushButton*>(QStringLiteral("cmdDrill"));
        QVERIFY(drill->isEnabled());
        drill->click();
        QCOMPARE(drilled, std::u16string(u"你你你好好好"));
        QVERIFY(dialog.isVisible()); // the report stays

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void nothingToDrillDisablesTheButton() {
        const RunRecord record;
        ReportDialog dialog(
            record, [](const std::u16string&) {}, nullptr, nullptr);
        dialog.show();
        auto* drill = dialog.findChild<QPushButton*>(QStringLiteral("cmdDrill"));
        QVERIFY(!drill->isEnabled());
        QVERIFY(!drill->toolTip().isEmpty());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }

    // Alt+S saves the run once: the button then says so and where; a folder
    // that cannot be written is told, and the report and its run stay.
    void savesTheRunToTheJournalOnce() {
        std::chrono::nanoseconds now{};
        const RunRecord record = sampleRun(now);
        const QTemporaryDir home;
        const std::filesystem::path folder = QFile::encodeName(home.path()).toStdString();
        ReportJournal journal(u"诗.txt", folder / "keyloom", [] {
            return WallTime{1'796'000'000, 0};
        });
        ReportDialog dialog(record, {}, &journal, nullptr);
        dialog.show();
        auto* save = dialog.findChild<QPushButton*>(QStringLiteral("cmdSave"));
        QVERIFY(save->isEnabled());
        QVERIFY(save->toolTip().contains(home.path()));
        save->click();
        QVERIFY(!save->isEnabled());
        QCOMPARE(save->text(), QStringLiteral("已记入(&S)"));
        const auto files = journalFiles(folder / "keyloom");
        const JournalContents saved = Journal(*files, [] {
                                          return WallTime{1'796'000'000, 0};
                                      }).read();
        QCOMPARE(saved.runs.size(), 1U);
        QCOMPARE(saved.runs[0].characters, 4);

        std::ofstream(folder / "blocked") << "a file where the folder should be";
        ReportJournal blocked(u"诗.txt", folder / "blocked", [] {
            return WallTime{1'796'000'000, 0};
        });
        ReportDialog refused(record, {}, &blocked, nullptr);
        refused.show();
        QString told;
        QTimer::singleShot(0, [&told] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                told = box->text();
                box->accept();
            }
        });
        refused.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        QVERIFY(told.startsWith(QStringLiteral("成绩没有记入：")));
        QVERIFY(refused.isVisible());
        QVERIFY(refused.findChild<QPushButton*>(QStringLiteral("cmdSave"))->isEnabled());
    }
};

QTEST_MAIN(ReportDialogTest)
#include "report_dialog_test.moc"
