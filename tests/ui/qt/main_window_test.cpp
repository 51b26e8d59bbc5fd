// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/extra_label_design.h"
#include "tests/support/qt/qt_program.h"
#include "tests/support/typing_conformance.h"
#include "ui/code_hints.h"
#include "ui/plain_key_characters.h"
#include "ui/qt/key_codes.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

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

using Program = test::QtProgram;

// The Qt key of each key code the conformance table presses.
Qt::Key qtKeyOf(Counter code) {
    switch (code) {
    case 8: return Qt::Key_Backspace;
    case 32: return Qt::Key_Space;
    case 49: return Qt::Key_1;
    case 65: return Qt::Key_A;
    case 69: return Qt::Key_E;
    case 37: return Qt::Key_Left;
    case 39: return Qt::Key_Right;
    case 79: return Qt::Key_O;
    case 86: return Qt::Key_V;
    case 90: return Qt::Key_Z;
    case 107: return Qt::Key_Plus;
    case 111: return Qt::Key_Slash;
    case 112: return Qt::Key_F1;
    case 113: return Qt::Key_F2;
    case 114: return Qt::Key_F3;
    case 115: return Qt::Key_F4;
    case 116: return Qt::Key_F5;
    case 117: return Qt::Key_F6;
    case 118: return Qt::Key_F7;
    case 188: return Qt::Key_Comma;
    case 222: return Qt::Key_Apostrophe;
    default: return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers modifiersOf(Counter code, Counter shift) {
    constexpr Counter kFirstKeypadKey = 96;
    constexpr Counter kLastKeypadKey = 111;
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::KeypadModifier, code >= kFirstKeypadKey && code <= kLastKeypadKey);
    modifiers.setFlag(Qt::ShiftModifier, (shift & kShiftMask) != 0);
    modifiers.setFlag(Qt::ControlModifier, (shift & kCtrlMask) != 0);
    modifiers.setFlag(Qt::AltModifier, (shift & kAltMask) != 0);
    return modifiers;
}

// One step of the conformance table as Qt delivers it.
void play(TypingBox* box, const test::Step& step) {
    const QString text = toQString(step.text);
    switch (step.kind) {
    case test::StepKind::Key: {
        QKeyEvent press(QEvent::KeyPress, qtKeyOf(step.keyCode),
                        modifiersOf(step.keyCode, step.shift), text);
        QCOMPARE(virtualKeyCode(press), step.keyCode);
        QApplication::sendEvent(box, &press);
        break;
    }
    case test::StepKind::Preedit: {
        QInputMethodEvent event(text, {});
        QApplication::sendEvent(box, &event);
        break;
    }
    case test::StepKind::Commit: {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(box, &event);
        break;
    }
    case test::StepKind::FocusOut: box->clearFocus(); break;
    case test::StepKind::FocusIn: box->setFocus(Qt::OtherFocusReason); break;
    }
}

// Whether the full canonical decomposition of `c` starts with an ASCII
// letter, digit or space, by Qt's Unicode data.
bool decomposesToPlainKey(char32_t c) {
    while (QChar::decompositionTag(c) == QChar::Canonical) {
        c = QChar::decomposition(c).toUcs4().front();
    }
    return c < 0x80 && (QChar::isLetterOrNumber(c) || c == U' ');
}

// What an input method's plugin does when the focus leaves an object with a
// composition open: it commits the composition's raw text to that object,
// which by then has lost the focus.
class FlushingInputMethod : public QObject {
  public:
    explicit FlushingInputMethod(QString composition) : composition_(std::move(composition)) {
        connect(qApp, &QGuiApplication::focusObjectChanged, this, [this](QObject* now) {
            if (last_ != nullptr && last_ != now && !composition_.isEmpty()) {
                QInputMethodEvent flush;
                flush.setCommitString(std::exchange(composition_, QString()));
                QApplication::sendEvent(last_, &flush);
            }
            last_ = now;
        });
        last_ = QGuiApplication::focusObject();
    }

  private:
    QString composition_;
    QPointer<QObject> last_;
};

void sendPreedit(QWidget* box, const QString& preedit) {
    QInputMethodEvent event(preedit, {});
    QApplication::sendEvent(box, &event);
}

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

// The paint events a widget gets, as the union of what they cover.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
    QRegion painted;
};

// What the window shows after all its partial repaints, and what a repaint
// of the whole window draws.
void compareShownWithRepainted(MainWindow& window) {
    QApplication::processEvents();
    const QImage shown =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage repainted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), repainted.size());
    QVERIFY(shown == repainted);
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

    // A course's labels and a code hint share the strip between the panes:
    // the course's at its right end, the hint at the caret's column, moved
    // left before them, however far the caret went.
    void courseLabelsAndTheHintNeverMeet() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        const std::filesystem::path own =
            std::filesystem::path(QFile::encodeName(p.dir.path()).toStdString()) / "codes";
        std::filesystem::create_directory(own);
        {
            std::ofstream table(own / "mine.txt", std::ios::binary);
            for (const QChar c : testLesson().left(50)) {
                table << QString(c).toStdString() << "\tabcd\n";
            }
        }
        CodeHints hints([&own] { return tableFiles(own / "ours", own); },
                        p.form.state().lessonText);
        QVERIFY(hints.choose("mine"));
        QTRY_VERIFY(hints.table() != nullptr);
        p.controls.otherLabels.at("lblCourse").caption = u"常用字前500 第3/10段 速度60 第1次";
        p.controls.otherLabels.at("lblLastAttempt").caption =
            u"未达标 速度62字/分 击键3.41 码长3.31 回改2 正确率985‰ 字数131 错字2 用时2:07";
        p.window->setCodeHints(&hints);
        const auto label = [&](const char* name) {
            return p.window->findChild<QLabel*>(QString::fromLatin1(name));
        };
        for (const int typed : {0, 20, 43}) {
            while (p.form.state().typedCount < typed) {
                p.commit(testLesson().mid(p.form.state().typedCount, 1));
            }
            // The window draws the hint itself, and tells it with the box.
            const SceneItem* hint = p.window->scene().find("lblHint");
            QVERIFY(hint != nullptr && hint->visible);
            QCOMPARE(label("lblHintTable")->text(), QStringLiteral("mine"));
            QVERIFY(
                p.window->typingBox()->accessibleDescription().endsWith(QStringLiteral("abcd")));
            QList<QRect> boxes;
            for (const char* name : {"lblHintTable", "lblHint", "lblCourse", "lblLastAttempt"}) {
                const QLabel* shown = label(name);
                const QRect box = shown != nullptr ? shown->geometry() : toQRect(hint->box);
                QVERIFY2(box.left() >= 0 && box.right() < p.window->width(), name);
                for (const QRect& other : boxes) {
                    QVERIFY2(!box.intersects(other), name);
                }
                boxes.append(box);
            }
            // Its ink stands in its box.
            const QImage shot = p.window->grab().toImage();
            QVERIFY(shareOf(shot, toQRect(hint->box), qRgb(0, 0, 0)) > 0.02);
        }
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

        QVERIFY(p.focused);
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
        QVERIFY(p.focused);
        p.commit(QStringLiteral("中国"));
        QCOMPARE(int(p.form.state().typedCount), 2);
        QCOMPARE(int(p.form.state().rightCount), 2);
        p.commit(QStringLiteral("人们"));
        QCOMPARE(int(p.form.state().rightCount), 3);
        QCOMPARE(int(p.form.state().wrongCount), 1);
        QCOMPARE(p.box()->text(), QStringLiteral("中国人们"));
    }

    void directKeysPastesAndCaretMovesChangeNothing() {
        Program p(testLesson());
        QVERIFY(p.focused);
        QApplication::clipboard()->setText(QStringLiteral("一二三"));
        QTest::keyClick(p.box(), Qt::Key_A);
        QTest::keyClick(p.box(), Qt::Key_1);
        QTest::keyClick(p.box(), Qt::Key_Space);
        QTest::keyClick(p.box(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(p.box(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(p.box()->text(), QString());
        QCOMPARE(int(p.form.state().typedCount), 0);

        // Keys bound to paste, cut and undo on some desktops, pressed while
        // the box is unlocked (F18 and F20 are codes 129 and 131).
        p.commit(QString(QChar(0x4E00)) + QChar(0x4E01));
        QTest::keyClick(p.box(), Qt::Key_F18);
        QTest::keyClick(p.box(), Qt::Key_F20);
        QTest::keyClick(p.box(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(p.box(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(p.box()->text(), QString(QChar(0x4E00)) + QChar(0x4E01));

        // The caret stays at the end: what comes next is appended, and the
        // character scored is the one just typed.
        QTest::keyClick(p.box(), Qt::Key_Home);
        QTest::keyClick(p.box(), Qt::Key_Left);
        QTest::keyClick(p.box(), Qt::Key_Delete);
        QCOMPARE(p.controls.txtType.selStart, 2);
        p.commit(QString(QChar(0x4E02)));
        QCOMPARE(p.box()->text(), QString(QChar(0x4E00)) + QChar(0x4E01) + QChar(0x4E02));
        QCOMPARE(p.controls.txtType.selStart, 3);
        QCOMPARE(int(p.form.state().rightCount), 3);

        QTest::keyClick(p.box(), Qt::Key_Comma); // punctuation keys type directly
        QCOMPARE(p.box()->text().back(), QChar(u','));
        QCOMPARE(int(p.form.state().typedCount), 4);
    }

    void backspaceTakesBackOneCharacterPerKeyDown() {
        Program p(testLesson());
        QVERIFY(p.focused);
        p.commit(QString(QChar(0x4E00)) + QChar(0x4E01) + QChar(0x4E02));
        QTest::keyClick(p.box(), Qt::Key_Backspace);
        QCOMPARE(int(p.form.state().typedCount), 2);
        QCOMPARE(p.box()->text(), QString(QChar(0x4E00)) + QChar(0x4E01));
        QVERIFY(!p.controls.lblOK.exists(3));
        QCOMPARE(p.controls.lblType[0].caption.size(), std::size_t{2});
        QTest::keyClick(p.box(), Qt::Key_Backspace, Qt::ShiftModifier);
        QCOMPARE(int(p.form.state().typedCount), 1);
        QCOMPARE(p.controls.txtType.selStart, 1);
    }

    // A composition abandoned by a change of focus is flushed into the box
    // by the input method; that text was never chosen and is not scored.
    void aFlushAfterTheFocusLeftIsDropped() {
        Program p(testLesson());
        QVERIFY(p.focused);
        p.commit(QString(QChar(0x4E00)));
        FlushingInputMethod inputMethod(QStringLiteral("ren"));
        sendPreedit(p.box(), QStringLiteral("ren"));
        QVERIFY(p.box()->rules().composing());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        QTRY_VERIFY(p.box()->hasFocus());
        QCOMPARE(p.box()->text(), QString(QChar(0x4E00)));
        QCOMPARE(int(p.form.state().typedCount), 1);
        QVERIFY(!p.box()->rules().composing());
        p.commit(QString(QChar(0x4E01))); // and typing goes on
        QCOMPARE(int(p.form.state().rightCount), 2);
    }

    // F1 abandons the composition before the about box takes the focus;
    // what the input method flushes then is not scored.
    void helpKeyOpensTheAboutBoxWithoutScoringTheComposition() {
        bool composingWhenOpened = true;
        TypingBox* box = nullptr;
        Program p(testLesson().toUtf8(), {.openAboutBox = [&](QWidget* parent) {
                      composingWhenOpened = box->rules().composing();
                      QDialog about(parent);
                      about.show();
                      about.activateWindow();
                      QVERIFY(QTest::qWaitForWindowActive(&about));
                  }});
        box = p.box();
        QVERIFY(p.focused);
        p.commit(QString(QChar(0x4E00)));
        FlushingInputMethod inputMethod(QStringLiteral("zhong"));
        sendPreedit(p.box(), QStringLiteral("zhong"));
        QTest::keyClick(p.box(), Qt::Key_F1);
        QVERIFY(!composingWhenOpened);
        QTRY_VERIFY(p.box()->hasFocus());
        QCOMPARE(p.box()->text(), QString(QChar(0x4E00)));
        QCOMPARE(int(p.form.state().typedCount), 1);
    }

    // The window's parts go before the focus leaves the box; a last commit
    // then must not reach the handlers.
    void destroyingTheWindowMidCompositionIsSafe() {
        Program p(testLesson());
        QVERIFY(p.focused);
        p.commit(QString(QChar(0x4E00)));
        FlushingInputMethod inputMethod(QStringLiteral("zhong guo"));
        sendPreedit(p.box(), QStringLiteral("zhong guo"));
        p.window.reset();
        QCOMPARE(int(p.form.state().typedCount), 1);
        QCOMPARE(p.controls.txtType.text.size(), std::size_t{1});
        QCOMPARE(p.fatalErrors, 0);
    }

    void candidateWindowFollowsTheCaret() {
        Program p(testLesson());
        QVERIFY(p.focused);
        p.commit(QString(QChar(0x4E00)) + QChar(0x4E01));
        const QRect rect = p.box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QPoint inWindow = p.box()->mapTo(p.window.get(), rect.topLeft());
        // The caret stands after two 16-px characters in the lower pane.
        QCOMPARE(inWindow, QPoint(4 + qRound((50 + 480) / 15.0), 256));
        QVERIFY(p.box()->inputMethodQuery(Qt::ImEnabled).toBool());
    }

    // Each event repaints only what it changed: the window then shows what a
    // full repaint draws, through ring advances, marks, a wrong character and
    // a Backspace; pinyin keystrokes repaint nothing; a blink only the caret.
    void repaintsWhatChangedAndNothingElse() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        p.window->clockTimer()->stop();
        p.window->caretTimer()->stop();
        auto* picEgg = p.window->findChild<QWidget*>(QStringLiteral("picEgg"));
        auto* picType = p.window->findChild<QWidget*>(QStringLiteral("picType"));
        QVERIFY(picEgg && picType);
        QApplication::processEvents();
        for (int i = 0; i < 100; ++i) {
            p.commit(i % 7 == 3 ? QStringLiteral("?") : QString(QChar(0x4E00 + i)));
            QApplication::processEvents();
            if (i == 60) {
                QTest::keyClick(p.box(), Qt::Key_Backspace);
            }
        }
        compareShownWithRepainted(*p.window);

        PaintRecorder upper(picEgg);
        PaintRecorder lower(picType);
        QInputMethodEvent preedit(QStringLiteral("zhong"), {});
        QApplication::sendEvent(p.box(), &preedit);
        QApplication::processEvents();
        QVERIFY(upper.painted.isEmpty() && lower.painted.isEmpty());

        p.window->caretTimer()->timeout({});
        QApplication::processEvents();
        QVERIFY(upper.painted.isEmpty());
        QVERIFY2(lower.painted.boundingRect().width() <= 5 &&
                     lower.painted.boundingRect().height() <= 22,
                 "a blink repaints the caret's cells only");
        compareShownWithRepainted(*p.window);
    }

    // The next lesson line is got ready while the program waits for a key;
    // typed with no wait between the keys, each line is set and drawn in the
    // keystroke that brings it. The two windows look the same to the pixel,
    // rows typed in Han and in Latin letters, a Backspace among them.
    void aLineGotReadyWhileWaitingLooksAsOneDrawnAtOnce() {
        QString lesson = testLesson();
        lesson.insert(100, QStringLiteral("Wavy fjord quiz, AV To! Ty 7.5% done; ok?"));
        std::array<QImage, 2> shots;
        for (const bool waits : {true, false}) {
            Program p(lesson);
            QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
            p.window->clockTimer()->stop();
            p.window->caretTimer()->stop();
            QApplication::processEvents();
            for (int i = 0; i < 320; ++i) {
                p.commit(i % 9 == 4 ? QStringLiteral("?") : lesson.mid(i, 1));
                if (i == 120) {
                    QTest::keyClick(p.box(), Qt::Key_Backspace);
                }
                if (waits) {
                    QApplication::processEvents();
                } else {
                    QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
                }
            }
            QApplication::processEvents();
            shots.at(waits ? 0 : 1) = p.window->screen()
                                          ->grabWindow(p.window->winId())
                                          .toImage()
                                          .convertToFormat(QImage::Format_RGB32);
        }
        QVERIFY(shots[0] == shots[1]);
    }

    // A label no handler names, added to the design, is drawn as designed.
    void aLabelAddedToTheDesignIsDrawn() {
        Program p(testLesson().toUtf8(), {.design = &test::frmMainWithExtraLabel()});
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        const QImage shot = p.window->grab().toImage();
        const QRect box(qRound(test::kExtraLeft / 15), qRound(test::kExtraTop / 15),
                        qRound(test::kExtraWidth / 15), qRound(test::kExtraHeight / 15));
        QVERIFY2(shareOf(shot, box, qRgb(255, 0, 0)) > 0.01, "its red caption");
        QVERIFY(shareOf(shot, box.translated(0, box.height() + 4), qRgb(255, 0, 0)) == 0.0);
    }

    // The notice that an input method is needed is drawn whole, in red,
    // between the panes, and goes with the first input-method event.
    void theInputMethodNoticeIsDrawnBetweenThePanes() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        auto* notice = p.window->findChild<QLabel*>(QStringLiteral("lblInputMethod"));
        QVERIFY(notice != nullptr && !notice->isVisible());
        QTest::keyClick(p.box(), Qt::Key_N);
        QVERIFY(notice->isVisible());
        QVERIFY2(p.window->rect().contains(notice->geometry()), "the caption fits the window");
        const QImage shot = p.window->grab().toImage();
        QVERIFY(shareOf(shot, notice->geometry(), qRgb(255, 0, 0)) > 0.01);
        p.commit(QStringLiteral("一"));
        QVERIFY(!notice->isVisible());
    }

    // The code hint holds its whole text as it changes with each commit,
    // and what it leaves behind is repainted.
    void theCodeHintHoldsItsWholeText() {
        Program p(testLesson());
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        const QTemporaryDir dir;
        const std::filesystem::path file =
            std::filesystem::path(dir.path().toStdString()) / "mine.txt";
        std::ofstream(file) << "一\tg\n一\tggll\n丁\ts\n丂七\tgnvv\n丄\tzyxwvuts\n";
        CodeHints hints(
            [file] {
                return std::vector<TableFile>{{"mine", file}};
            },
            p.form.state().lessonText);
        QVERIFY(hints.choose("mine"));
        QTRY_VERIFY(hints.table() != nullptr);
        p.window->setCodeHints(&hints);
        QApplication::processEvents(); // the hint shown, and then painted
        auto* table = p.window->findChild<QLabel*>(QString::fromUtf8(
            kCodeHintTableLabel.data(), static_cast<qsizetype>(kCodeHintTableLabel.size())));
        QVERIFY(table != nullptr);
        // Empty where no entry starts at the caret.
        const QStringList expected{QStringLiteral("一 g · ggll"), QStringLiteral("丁 s"),
                                   QStringLiteral("丂七 gnvv"),   QString(),
                                   QStringLiteral("丄 zyxwvuts"), QString()};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(table->text(), QStringLiteral("mine"));
            QVERIFY(table->isVisible());
            QVERIFY(table->width() >= table->sizeHint().width());
            QVERIFY(p.window->rect().contains(table->geometry()));
            const SceneItem* hint = p.window->scene().find(kCodeHintLabel);
            QVERIFY(hint != nullptr);
            QCOMPARE(hint->visible, !expected[i].isEmpty());
            QCOMPARE(p.window->typingBox()->accessibleDescription(), expected[i]);
            if (!expected[i].isEmpty()) {
                const QRect box = toQRect(hint->box);
                QVERIFY(box.width() >= table->fontMetrics().horizontalAdvance(expected[i]));
                QVERIFY(p.window->rect().contains(box));
                QVERIFY(!box.intersects(table->geometry()));
            }
            compareShownWithRepainted(*p.window);
            p.commit(QString(QChar(0x4E00 + i)));
        }
    }

    void conformance_data() {
        QTest::addColumn<int>("row");
        const std::vector<test::Scenario>& scenarios = test::typingScenarios();
        for (std::size_t i = 0; i < scenarios.size(); ++i) {
            QTest::newRow(scenarios[i].name.c_str()) << static_cast<int>(i);
        }
    }

    void conformance() {
        QFETCH(int, row);
        const test::Scenario& scenario = test::typingScenarios().at(static_cast<std::size_t>(row));
        std::vector<ProgramCommand> commands;
        Program p(QByteArray::fromStdString(test::conformanceLesson()), {});
        for (const ProgramCommand command : test::allCommands()) {
            p.window->setCommandAction(
                command, [&, command](QWidget* /*parent*/) { commands.push_back(command); });
        }
        QVERIFY(p.focused);
        for (const test::Step& step : scenario.steps) {
            play(p.box(), step);
        }
        const test::Outcome actual =
            test::outcomeOf(p.controls, p.form.state(), p.box()->rules().composing(), commands);
        QCOMPARE(test::differences(scenario.expected, actual), std::string());
    }

    // The refusal of accented letters agrees with Qt's Unicode data.
    void plainKeyCharactersAgreeWithQt() {
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (comesFromPlainKey(c) != decomposesToPlainKey(c)) {
                QFAIL(qPrintable(QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16)));
            }
        }
    }

    void errorsGoToTheReportNotTheEventLoop() {
        Program p(testLesson());
        QVERIFY(p.focused);
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
