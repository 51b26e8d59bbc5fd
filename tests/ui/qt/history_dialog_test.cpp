// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history window on the offscreen platform: the saved runs newest first,
// the weak characters with their codes and their drill, deleting after a confirmation, and
// what it says with nothing saved.
#include "ui/qt/history_dialog.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace keyloom;

namespace {

constexpr WallTime kNow{1'796'000'000, 8 * 60};

WallTime now() {
    return kNow;
}

// Two runs, the second a day later, each with 劳 typed wrong.
void saveTwoRuns(const std::filesystem::path& folder) {
    const auto files = journalFiles(folder);
    Journal journal(*files, now);
    for (int i = 0; i < 2; ++i) {
        JournalEntry e;
        e.run.key = "run-" + std::to_string(i);
        e.run.date = {kNow.utcSeconds - (1 - i) * std::int64_t{86400}, kNow.offsetMinutes};
        e.run.text = i == 0 ? "诗.txt" : "剪贴板";
        e.run.characters = 10;
        e.run.typingSeconds = 10;
        e.characters = {{U'劳', 1, 1, 1}, {U'勤', 4, 0, 4}};
        journal.save(e);
    }
}

// Presses the message box that opens next with `button`.
void answerNextMessage(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(button)->click();
        }
    });
}

} // namespace

class HistoryDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheRunsAndDrillsTheWeakCharacters() {
        const QTemporaryDir home;
        const std::filesystem::path folder = QFile::encodeName(home.path()).toStdString();
        saveTwoRuns(folder);
        std::u16string drilled;
        // A code table chosen for hints: its codes follow each weak character.
        const CodesOf codesOf = [](char32_t c) { return c == U'劳' ? u"apl" : u""; };
        HistoryDialog dialog(
            folder, now, [&](const std::u16string& d) { drilled = d; }, nullptr, codesOf);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("记录 KeyloomV1.0"));
        auto* runs = dialog.findChild<QListWidget*>();
        QCOMPARE(runs->count(), 2);
        QVERIFY(runs->item(0)->text().startsWith(QStringLiteral("2026-11-30 08:53  剪贴板  速度")));
        QVERIFY(runs->item(1)->text().contains(QStringLiteral("诗.txt")));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblWeak"))
                    ->text()
                    .startsWith(QStringLiteral("劳  2 / 2  apl\n")));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblTotals"))
                    ->text()
                    .startsWith(QStringLiteral("今天 10 字，0:10")));
        dialog.findChild<QPushButton*>(QStringLiteral("cmdDrill"))->click();
        QCOMPARE(drilled, std::u16string(u"劳劳劳"));

        answerNextMessage(QMessageBox::No);
        QTest::keyClick(runs, Qt::Key_Delete);
        QCOMPARE(runs->count(), 2);
        answerNextMessage(QMessageBox::Yes);
        QTest::keyClick(runs, Qt::Key_Delete);
        QCOMPARE(runs->count(), 1);
        QVERIFY(runs->item(0)->text().contains(QStringLiteral("诗.txt")));
        const auto files = journalFiles(folder);
        QCOMPARE(Journal(*files, now).read().runs.size(), 1U);
    }

    void nothingSavedSaysSo() {
        const QTemporaryDir home;
        const std::filesystem::path folder =
            std::filesystem::path(QFile::encodeName(home.path()).toStdString()) / "never";
        HistoryDialog dialog(folder, now, {}, nullptr);
        dialog.show();
        QCOMPARE(dialog.findChild<QListWidget*>()->count(), 0);
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblNotice"))
                    ->text()
                    .startsWith(QStringLiteral("还没有记入的成绩")));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("cmdDrill"))->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isEnabled());
        QVERIFY(!std::filesystem::exists(folder)); // reading made nothing
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(HistoryDialogTest)
#include "history_dialog_test.moc"
