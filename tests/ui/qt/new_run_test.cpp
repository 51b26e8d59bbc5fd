// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's ways to a new run on the offscreen platform, with a starter
// that records what it is given: the keys and a synthetic drop hand over the
// right text, reach no practice handler, and the file dialog writes nothing.
#include "forms/frm_main_design.h"
#include "practice/lesson_file.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/typing_box.h"

#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <vector>

using namespace keyloom;

namespace {

const QString kLesson = QStringLiteral("小河弯弯流过村口的老树下孩子们在岸边玩耍");

struct Started {
    std::u16string text;
    std::u16string textName;
    OldWindow old;
};

struct Program {
    Program() {
        QDir(dir.path()).mkpath(QStringLiteral("txt"));
        QFile file(dir.filePath(QStringLiteral("txt/文档.txt")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(kLesson.toUtf8());
        }
        file.close();
        form.Form_Load(lessonPath(QFile::encodeName(dir.path()).toStdString()));
        window = std::make_unique<MainWindow>(
            form, controls, frmMainDesign(), [](const std::exception&) {},
            MainWindow::AboutBoxOpener{},
            [this](QWidget& from, const std::u16string& text, const std::u16string& textName,
                   OldWindow old) {
                QCOMPARE(&from, window.get());
                started.push_back({text, textName, old});
            });
        window->show();
        window->activateWindow();
        focused = QTest::qWaitForWindowActive(window.get()) &&
                  QTest::qWaitFor([this] { return window->typingBox()->hasFocus(); });
    }

    void commit(const QString& text) const {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(window->typingBox(), &event);
    }

    QTemporaryDir dir;
    MainControls controls = frmMainControls();
    QtTextMeasure measure;
    FrmMain form{controls, measure};
    std::unique_ptr<MainWindow> window;
    std::vector<Started> started;
    bool focused = false;
};

} // namespace

class NewRunTest : public QObject {
    Q_OBJECT

  private slots:
    void keysStartNewRunsAndNeverType() {
        Program p;
        QVERIFY(p.focused);
        p.commit(QStringLiteral("小河"));
        QInputMethodEvent composing(QStringLiteral("bu"), {});
        QApplication::sendEvent(p.window->typingBox(), &composing);
        QVERIFY(p.window->typingBox()->rules().composing());

        QTest::keyClick(p.window->typingBox(), Qt::Key_F3);
        QVERIFY2(!p.window->typingBox()->rules().composing(), "the composition is abandoned first");
        QApplication::clipboard()->setText(QStringLiteral("树下孩子们\r\n在岸边玩耍\n"));
        QTest::keyClick(p.window->typingBox(), Qt::Key_F4);
        QApplication::clipboard()->clear();

        QCOMPARE(p.started.size(), 2U);
        QCOMPARE(p.started[0].text, p.form.state().lessonText);
        QCOMPARE(p.started[0].old, OldWindow::Replace);
        QCOMPARE(p.started[1].text, std::u16string(u"树下孩子们在岸边玩耍"));
        // F3 keeps the run's name (an empty one), F4 names the clipboard.
        QCOMPARE(p.started[0].textName, std::u16string());
        QCOMPARE(p.started[1].textName, std::u16string(u"剪贴板"));
        // The run goes on untouched: the keys typed nothing and locked nothing.
        QCOMPARE(p.form.state().typedCount, 2);
        QCOMPARE(p.controls.txtType.text, std::u16string(u"小河"));
        QVERIFY(!p.controls.txtType.locked);
    }

    void droppedFileStartsANewRun() {
        Program p;
        const QString path = p.dir.filePath(QStringLiteral("诗.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xCA\xF7\xCF\xC2\xBA\xA2\xD7\xD3\xC3\xC7"); // 树下孩子们, GBK
        file.close();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});

        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(p.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.window.get(), &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(QTest::qWaitFor([&p] { return !p.started.empty(); }));
        QCOMPARE(p.started.front().text, std::u16string(u"树下孩子们"));

        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
        QDragEnterEvent refused(QPoint(100, 100), Qt::CopyAction, &web, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(p.window.get(), &refused);
        QVERIFY2(!refused.isAccepted(), "only a local file can be dropped");
    }

    // HOME and XDG_CONFIG_HOME point into a scratch folder (main below).
    void fileDialogKeepsNoHistory() {
        Program p;
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(widget);
                    dialog != nullptr && dialog->isVisible()) {
                    shown = true;
                    dialog->reject();
                }
            }
        });
        QTest::keyClick(p.window->typingBox(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(shown);
        QVERIFY(p.started.empty());
        QCOMPARE(p.form.state().typedCount, 0);
        QDirIterator written(qEnvironmentVariable("HOME"), QDir::Files | QDir::Hidden,
                             QDirIterator::Subdirectories);
        QVERIFY2(!written.hasNext(), qPrintable(written.hasNext() ? written.next() : QString()));
    }
};

int main(int argc, char* argv[]) {
    const QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QApplication app(argc, argv);
    NewRunTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "new_run_test.moc"
