#include "practice/lesson_file.h"
#include "ui/frm_main_design.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/typing_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

using namespace keyloom;

namespace {

// The lesson the window opens with: 50 distinct characters, then more.
QString testLesson() {
    QString text;
    for (int i = 0; i < 400; ++i) {
        text.append(QChar(0x4E00 + i));
    }
    return text;
}

struct Program {
    explicit Program(const QString& lesson) {
        QDir(dir.path()).mkpath(QStringLiteral("txt"));
        QFile file(dir.filePath(QStringLiteral("txt/文档.txt")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(lesson.toUtf8());
        }
        file.close();
        form.Form_Load(lessonPath(QFile::encodeName(dir.path()).toStdString()));
        window = std::make_unique<MainWindow>(form, controls, frmMainDesign(),
                                              [this](const std::exception&) { ++fatalErrors; });
        window->show();
        window->activateWindow();
    }

    [[nodiscard]] TypingBox* box() const { return window->typingBox(); }

    void commit(const QString& text) const {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(box(), &event);
    }

    QTemporaryDir dir;
    MainControls controls = frmMainControls();
    QtTextMeasure measure;
    FrmMain form{controls, measure};
    std::unique_ptr<MainWindow> window;
    int fatalErrors = 0;
};

// Share of pixels close to this colour (antialiasing aside) in a rectangle.
double shareOf(const QImage& image, const QRect& area, QRgb colour) {
    int hits = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int distance = qAbs(qRed(pixel) - qRed(colour)) +
                                 qAbs(qGreen(pixel) - qGreen(colour)) +
                                 qAbs(qBlue(pixel) - qBlue(colour));
            hits += distance < 90 ? 1 : 0;
        }
    }
    return double(hits) / (area.width() * area.height());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void windowAsDesigned() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QCOMPARE(p.window->windowTitle(), QStringLiteral("Keyloom 1.0"));
        QCOMPARE(p.window->size(), QSize(743, 450));
        QCOMPARE(p.window->minimumSize(), p.window->maximumSize());
        const Qt::WindowFlags flags = p.window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        QStringList captions;
        for (const QLabel* label : p.window->findChildren<QLabel*>()) {
            captions << label->text();
        }
        for (const char* expected : {"对：", "错：", "正确率：", "‰", "速度：", "字/分",
                                     "已用时间：", "00:00", "总共时间：", "5:00"}) {
            QVERIFY2(captions.contains(QString::fromUtf8(expected)), expected);
        }
        QVERIFY2(p.box()->geometry().top() >= p.window->height(), "the box is never seen");
        QTRY_VERIFY(p.box()->hasFocus());

        // The clock runs from the start, whether or not anyone types.
        const auto clockShows = [&](const QString& time) {
            const QList<QLabel*> labels = p.window->findChildren<QLabel*>();
            return std::ranges::any_of(labels, [&](const QLabel* l) { return l->text() == time; });
        };
        QTRY_VERIFY_WITH_TIMEOUT(clockShows(QStringLiteral("00:01")), 5000);
    }

    void lessonInYellowOnBlackAndMarksInColour() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QImage shot = p.window->grab().toImage();
        const QRect row0(8, 50, 700, 14); // upper pane, row 0
        const QRect row7(8, 48 + 163 + 2, 700, 14);
        QVERIFY(shareOf(shot, row0, qRgb(255, 255, 0)) > 0.05);
        QVERIFY(shareOf(shot, row0, qRgb(0, 0, 0)) > 0.3);
        QCOMPARE(shareOf(shot, row7, qRgb(0, 0, 0)), 1.0);

        p.commit(QString(QChar(0x4E00))); // right
        p.commit(QStringLiteral("?"));    // wrong
        shot = p.window->grab().toImage();
        const QRect mark1(4 + 4, 48 + 1, 14, 14);
        const QRect mark2(4 + 4 + 16, 48 + 1, 14, 14);
        QVERIFY(shareOf(shot, mark1, qRgb(0, 255, 0)) > 0.4);
        QVERIFY(shareOf(shot, mark2, qRgb(255, 0, 0)) > 0.4);
        QVERIFY(shareOf(shot, QRect(4 + 4 + 32, 48 + 1, 14, 14), qRgb(0, 255, 0)) == 0.0);
    }

    void commitOfAPhraseScoresEachCharacter() {
        Program p(QStringLiteral("中国人民"));
        p.commit(QStringLiteral("中国"));
        QCOMPARE(int(p.form.state().typedCount), 2);
        QCOMPARE(int(p.form.state().rightCount), 2);
        p.commit(QStringLiteral("人们"));
        QCOMPARE(int(p.form.state().rightCount), 3);
        QCOMPARE(int(p.form.state().wrongCount), 1);
        QCOMPARE(p.box()->text(), QStringLiteral("中国人们"));
    }

    void directKeysAndPastesChangeNothing() {
        Program p(testLesson());
        QApplication::clipboard()->setText(QStringLiteral("一二三"));
        QTest::keyClick(p.box(), Qt::Key_A);
        QTest::keyClick(p.box(), Qt::Key_1);
        QTest::keyClick(p.box(), Qt::Key_Space);
        QTest::keyClick(p.box(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(p.box(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(p.box()->text(), QString());
        QCOMPARE(int(p.form.state().typedCount), 0);

        p.commit(QStringLiteral("一二"));
        QTest::keyClick(p.box(), Qt::Key_Left); // a locked box still moves its caret
        QTest::keyClick(p.box(), Qt::Key_Left);
        QCOMPARE(p.box()->cursorPosition(), 0);
        QTest::keyClick(p.box(), Qt::Key_Delete);
        QCOMPARE(p.box()->text(), QStringLiteral("一二"));
        QTest::keyClick(p.box(), Qt::Key_Comma); // punctuation keys go through
        QCOMPARE(p.box()->text(), QStringLiteral(",一二"));
    }

    void backspaceTakesBackOneCharacterPerKeyDown() {
        Program p(testLesson());
        p.commit(QString(QChar(0x4E00)) + QChar(0x4E01) + QChar(0x4E02));
        p.box()->selectAll();
        QTest::keyClick(p.box(), Qt::Key_Backspace); // deletes the selection, takes back one
        QCOMPARE(int(p.form.state().typedCount), 2);
        QCOMPARE(p.box()->text(), QString());
        QVERIFY(!p.controls.lblOK.exists(3));
        QCOMPARE(p.controls.lblType[0].caption.size(), std::size_t{2});
    }

    void candidateWindowFollowsTheCaret() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        p.commit(QString(QChar(0x4E00)) + QChar(0x4E01));
        const QRect rect = p.box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QPoint inWindow = p.box()->mapTo(p.window.get(), rect.topLeft());
        // The caret stands after two 16-px characters in the lower pane.
        QCOMPARE(inWindow, QPoint(4 + qRound((50 + 480) / 15.0), 256));
        QVERIFY(p.box()->inputMethodQuery(Qt::ImEnabled).toBool());
    }

    void errorsGoToTheReportNotTheEventLoop() {
        Program p(testLesson());
        p.form.state().typedCount = -32768; // the next key-down overflows
        QTest::keyClick(p.box(), Qt::Key_Comma);
        QCOMPARE(p.fatalErrors, 1);
        QTest::keyClick(p.box(), Qt::Key_Comma);
        p.commit(QStringLiteral("一"));
        QCOMPARE(p.fatalErrors, 1);
        QVERIFY(!p.window->clockTimer()->isActive());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
