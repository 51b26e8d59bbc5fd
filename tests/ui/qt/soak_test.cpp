// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A soak through the real Qt binding on the offscreen platform: random key
// events, input-method commits and preedit updates sent to the typing box,
// the run's invariants checked on the controls every so often. (The growth
// of the resident set over a long run is a benchmark figure: scripts/bench.)
// KEYLOOM_SOAK_EVENTS and KEYLOOM_SOAK_SEED override the defaults.
#include "tests/support/practice_invariants.h"
#include "tests/support/qt/qt_program.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>

#include <array>
#include <random>

using namespace keyloom;

namespace {

constexpr int kDefaultEvents = 200000;
constexpr int kCheckEvery = 997;
constexpr int kLessonChars = 32780;
constexpr int kRepertoire = 401;
constexpr int kPaintEvery = 101;
int fromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Keys a user may press: letters, digits, space, Backspace (often), the
// punctuation keys, navigation and editing keys, F2 to F12 (F1 opens the
// about box, a modal dialog).
constexpr std::array kKeys{
    Qt::Key_A,         Qt::Key_Z,          Qt::Key_M,           Qt::Key_0,
    Qt::Key_9,         Qt::Key_Space,      Qt::Key_Backspace,   Qt::Key_Backspace,
    Qt::Key_Backspace, Qt::Key_Comma,      Qt::Key_Period,      Qt::Key_Slash,
    Qt::Key_Semicolon, Qt::Key_Apostrophe, Qt::Key_BracketLeft, Qt::Key_BracketRight,
    Qt::Key_Backslash, Qt::Key_QuoteLeft,  Qt::Key_Minus,       Qt::Key_Equal,
    Qt::Key_Left,      Qt::Key_Right,      Qt::Key_Home,        Qt::Key_End,
    Qt::Key_Delete,    Qt::Key_Insert,     Qt::Key_Return,      Qt::Key_Tab,
    Qt::Key_Escape,    Qt::Key_F2,         Qt::Key_F5,          Qt::Key_F12,
    Qt::Key_Shift,     Qt::Key_Control,    Qt::Key_PageUp};

constexpr std::array<Qt::KeyboardModifiers, 4> kModifiers{Qt::NoModifier, Qt::NoModifier,
                                                          Qt::ShiftModifier, Qt::ControlModifier};

// As long as can ever be shown, so that the run never types past its end,
// where marks are kept for good and memory rightly grows; of a few hundred
// characters, like a real lesson, so that the glyph cache fills early.
QString soakLesson() {
    QString lesson;
    for (int i = 0; i < kLessonChars; ++i) {
        lesson.append(QChar(0x4E00 + (i * 7) % kRepertoire));
    }
    return lesson;
}

// The events need no real timers; ticks are sent among them.
struct Program : test::QtProgram {
    Program() : QtProgram(soakLesson().toUtf8(), {.timers = false}) {}
    QString lesson = soakLesson();
};

class Soak {
  public:
    Soak(Program& p, unsigned seed) : p_(p), random_(seed) {}

    void oneEvent() {
        const int kind = pick(100);
        if (kind < 40) {
            key();
        } else if (kind < 60) {
            commit();
        } else if (kind < 72) {
            preedit();
        } else if (kind < 78) {
            selectAllAndDelete();
        } else if (kind < 79) {
            p_.window->clockTimer()->timeout({});
        } else if (kind < 80) {
            p_.window->caretTimer()->timeout({});
        } else {
            commitRight();
        }
    }

  private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    void key() {
        const Qt::Key key = kKeys.at(static_cast<std::size_t>(pick(kKeys.size())));
        const Qt::KeyboardModifiers modifiers =
            kModifiers.at(static_cast<std::size_t>(pick(kModifiers.size())));
        QTest::keyClick(p_.box(), key, modifiers);
    }

    // A wrong character: full-width, Latin, beyond the BMP.
    QString otherCharacter() {
        static const std::array<QString, 5> kOthers{QStringLiteral("？"), QStringLiteral("a"),
                                                    QStringLiteral("中"), QStringLiteral("，"),
                                                    QString::fromUcs4(U"\U00020000", 1)};
        return kOthers.at(static_cast<std::size_t>(pick(kOthers.size())));
    }

    // One to four characters, mostly what the lesson shows next.
    void commit() {
        QString text;
        const int count = 1 + pick(4);
        for (int i = 0; i < count; ++i) {
            const auto next = static_cast<qsizetype>(p_.form.state().typedCount) + i;
            text.append(pick(4) != 0 && next < p_.lesson.size() ? QString(p_.lesson.at(next))
                                                                : otherCharacter());
        }
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(p_.box(), &event);
    }

    void commitRight() {
        const auto next = static_cast<qsizetype>(p_.form.state().typedCount);
        QInputMethodEvent event;
        event.setCommitString(next < p_.lesson.size() ? p_.lesson.mid(next, 1)
                                                      : QStringLiteral("x"));
        QApplication::sendEvent(p_.box(), &event);
    }

    void preedit() {
        static const std::array<QString, 4> compositions{
            QStringLiteral("z"), QStringLiteral("zhong guo"), QStringLiteral("中国"), QString()};
        QInputMethodEvent event(compositions.at(static_cast<std::size_t>(pick(4))), {});
        QApplication::sendEvent(p_.box(), &event);
    }

    // Ctrl+A, which a line edit would take for select-all, then Backspace:
    // one character taken back, one removed from the box.
    void selectAllAndDelete() {
        QTest::keyClick(p_.box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(p_.box(), Qt::Key_Backspace);
    }

    Program& p_;
    std::mt19937 random_;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomEventsKeepTheRunSound() {
        const int events = fromEnvironment("KEYLOOM_SOAK_EVENTS", kDefaultEvents);
        const auto seed = static_cast<unsigned>(fromEnvironment("KEYLOOM_SOAK_SEED", 20261207));
        qInfo("soak: %d events, seed %u", events, seed);
        Program p;
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        QTRY_VERIFY(p.box()->hasFocus()); // text reaches the box only then
        PracticeInvariants invariants(p.controls, p.form);
        Soak soak(p, seed);
        for (int i = 1; i <= events; ++i) {
            soak.oneEvent();
            if (i % kPaintEvery == 0) {
                QApplication::processEvents(); // the panes repaint
            }
            if (i % kCheckEvery == 0 || i == events) {
                const std::string problem = invariants.check(true);
                QVERIFY2(problem.empty(),
                         qPrintable(QString::asprintf("event %d: %s", i, problem.c_str())));
                QVERIFY2(p.fatalErrors == 0,
                         qPrintable(QString::asprintf("event %d: %s", i, p.fatalError.c_str())));
            }
        }
        qInfo("soak: typed %d, box holds %lld characters", int(p.form.state().typedCount),
              static_cast<long long>(p.box()->text().size()));
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
