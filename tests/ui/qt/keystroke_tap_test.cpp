// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keystroke count of the Qt program on the offscreen platform: Qt's key
// and input-method events, on the record's clock, as they reach the box.
#include "tests/support/qt/qt_program.h"
#include "ui/qt/key_codes.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <vector>

using namespace keyloom;

namespace {

enum class Kind { Key, Preedit, Commit };

struct Event {
    int atMs;
    Kind kind;
    QString text;
    int qtKey = 0;
};

struct TapCase {
    const char* name;
    std::vector<Event> events;
    std::int64_t keystrokes;
    std::size_t scored;
};

// The lesson: 一 (U+4E00) and on.
const QString kFirst = QString(QChar(0x4E00));

const std::vector<TapCase>& cases() {
    static const std::vector<TapCase> table = {
        // xdotool, remote input and on-screen keyboards type a character
        // whose keysym the layout lacks: a key-down with no key code.
        {"a key without a code that types a character counts",
         {{0, Kind::Key, kFirst, 0x4E00}},
         1,
         1},
        {"a key without a code that types nothing is a modifier",
         {{0, Kind::Key, {}, Qt::Key_AltGr}},
         0,
         0},
        // fcitx5 wbx: khlg, then w commits 中国 and opens its own code, then
        // wqvb, and the comma key commits 你好 and types ，: 9 keys.
        {"Wubi's 顶字: the committing key's own composition or sign is the same key",
         {{0, Kind::Preedit, "k"},
          {80, Kind::Preedit, "kh"},
          {160, Kind::Preedit, "khl"},
          {240, Kind::Preedit, "khlg"},
          {320, Kind::Commit, "中国"},
          {321, Kind::Preedit, "w"},
          {400, Kind::Preedit, "wq"},
          {480, Kind::Preedit, "wqv"},
          {560, Kind::Preedit, "wqvb"},
          {640, Kind::Commit, "你好"},
          {642, Kind::Commit, "，"}},
         9,
         5},
        // pinyin: space commits 你, the n typed next opens a composition.
        {"a commit and the next key's composition are two keys",
         {{0, Kind::Preedit, "n"},
          {80, Kind::Preedit, "ni"},
          {160, Kind::Commit, "你"},
          {230, Kind::Preedit, "n"},
          {300, Kind::Commit, "，"}},
         5,
         2},
    };
    return table;
}

void send(TypingBox* box, const Event& event) {
    switch (event.kind) {
    case Kind::Key: {
        QKeyEvent press(QEvent::KeyPress, event.qtKey, Qt::NoModifier, event.text);
        QCOMPARE(virtualKeyCode(press), Counter{0});
        QApplication::sendEvent(box, &press);
        break;
    }
    case Kind::Preedit: {
        QInputMethodEvent preedit(event.text, {});
        QApplication::sendEvent(box, &preedit);
        break;
    }
    case Kind::Commit: {
        QInputMethodEvent commit;
        commit.setCommitString(event.text);
        QApplication::sendEvent(box, &commit);
        break;
    }
    }
}

} // namespace

class KeystrokeTapTest : public QObject {
    Q_OBJECT

  private slots:
    static void table() {
        for (const TapCase& c : cases()) {
            const std::string trace = c.name;
            test::QtProgram p(kFirst.repeated(20).toUtf8(), {.timers = false});
            QVERIFY2(p.focused, trace.c_str());
            std::chrono::nanoseconds now{std::chrono::hours(1)};
            p.form.record().setClock([&now] { return now; });
            for (const Event& event : c.events) {
                now = std::chrono::hours(1) + std::chrono::milliseconds(event.atMs);
                send(p.box(), event);
            }
            QVERIFY2(p.form.record().keystrokes() == c.keystrokes,
                     (trace + ": counted " + std::to_string(p.form.record().keystrokes())).c_str());
            QVERIFY2(p.form.record().characters().size() == c.scored, trace.c_str());
        }
    }
};

QTEST_MAIN(KeystrokeTapTest)
#include "keystroke_tap_test.moc"
