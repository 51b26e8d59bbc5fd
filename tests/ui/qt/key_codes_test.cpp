// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/key_codes.h"

#include <QTest>

using keyloom::virtualKeyFromQtKey;
using keyloom::virtualKeyFromXkb;

class KeyCodesTest : public QObject {
    Q_OBJECT

  private slots:
    // X keycodes and keysyms as X11 reports them on a PC keyboard.
    void physicalKeysUnderX11_data() {
        QTest::addColumn<quint32>("keycode");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("vk");
        const struct {
            const char* name;
            quint32 keycode;
            quint32 keysym;
            int vk;
        } rows[] = {
            {"a", 38, 0x61, 65},
            {"Shift+a", 38, 0x41, 65},
            {"1", 10, 0x31, 49},
            {"Shift+1", 10, 0x21, 49},
            {"comma", 59, 0x2c, 188},
            {"Shift+comma", 59, 0x3c, 188},
            {"space", 65, 0x20, 32},
            {"Backspace", 22, 0xff08, 8},
            {"Delete", 119, 0xffff, 46},
            {"Insert", 118, 0xff63, 45},
            {"Left", 113, 0xff51, 37},
            {"Home", 110, 0xff50, 36},
            {"F1", 67, 0xffbe, 112},
            {"F12", 96, 0xffc9, 123},
            {"F13", 191, 0xffca, 124},
            {"F24", 202, 0xffd5, 135},
            {"KP_5", 84, 0xffb5, 101},
            {"KP_Begin", 84, 0xff9d, 12},
            {"KP_Home", 79, 0xff95, 36},
            {"KP_Add", 86, 0xffab, 107},
            {"KP_Divide", 106, 0xffaf, 111},
            {"KP_Enter", 104, 0xff8d, 13},
            {"Return", 36, 0xff0d, 13},
            {"Tab", 23, 0xff09, 9},
            {"Escape", 9, 0xff1b, 27},
            {"semicolon", 47, 0x3b, 186},
            {"bracketleft", 34, 0x5b, 219},
            {"apostrophe", 48, 0x27, 222},
            {"grave", 49, 0x60, 192},
            {"minus", 20, 0x2d, 189},
            {"equal", 21, 0x3d, 187},
            {"slash", 61, 0x2f, 191},
            {"backslash", 51, 0x5c, 220},
            {"period", 60, 0x2e, 190},
            {"bracketright", 35, 0x5d, 221},
            {"Shift", 50, 0xffe1, 16},
            {"Control", 37, 0xffe3, 17},
            {"Alt", 64, 0xffe9, 18},
            {"Num_Lock", 77, 0xff7f, 144},
            {"Scroll_Lock", 78, 0xff14, 145},
            {"Page_Up", 112, 0xff55, 33},
            {"End", 115, 0xff57, 35},
            {"Ctrl+V", 55, 0x76, 86},
            {"unknown", 250, 0x1008ff13, 0},
            // The same keys on three layouts: letters, digits and space lock the
            // box wherever they lie; the signs beside them keep codes of 186 and
            // above.
            {"us m", 58, 'm', 77},
            {"us semicolon", 47, ';', 186},
            {"us q", 24, 'q', 81},
            {"fr m beside l", 47, 'm', 77},
            {"fr M beside L", 47, 'M', 77},
            {"fr a on q's key", 24, 'a', 65},
            {"fr q on a's key", 38, 'q', 81},
            {"fr z on w's key", 25, 'z', 90},
            {"fr w on z's key", 52, 'w', 87},
            {"fr comma on m's key", 58, ',', 188},
            {"fr semicolon on comma's key", 59, ';', 188},
            {"fr colon on period's key", 60, ':', 190},
            {"fr exclam on slash's key", 61, '!', 191},
            {"fr ampersand on 1's key", 10, '&', 49},
            {"fr eacute on 2's key", 11, 0xe9, 50},
            {"fr 2 shifted", 11, '2', 50},
            {"fr minus on 6's key", 15, '-', 54},
            {"fr ugrave", 48, 0xf9, 222},
            {"fr dead circumflex", 34, 0xfe52, 219},
            {"de z on y's key", 29, 'z', 90},
            {"de y on z's key", 52, 'y', 89},
            {"de ssharp", 20, 0xdf, 189},
            {"de udiaeresis", 34, 0xfc, 219},
            {"de odiaeresis", 47, 0xf6, 186},
            {"de adiaeresis", 48, 0xe4, 222},
            {"de minus on slash's key", 61, '-', 191},
            {"de 7 shifted to slash", 16, '/', 55},
            {"ru ef on a's key", 38, 0x6c6, 65},
            {"space on any layout", 65, ' ', 32},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << row.keycode << row.keysym << row.vk;
        }
    }
    void physicalKeysUnderX11() {
        QFETCH(quint32, keycode);
        QFETCH(quint32, keysym);
        QFETCH(int, vk);
        QCOMPARE(int(virtualKeyFromXkb(keycode, keysym)), vk);
    }

    // Without native codes the Qt key stands for a key of a US keyboard.
    void qtKeysElsewhere_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("vk");
        QTest::newRow("A") << int(Qt::Key_A) << false << 65;
        QTest::newRow("!") << int(Qt::Key_Exclam) << false << 49;
        QTest::newRow(")") << int(Qt::Key_ParenRight) << false << 48;
        QTest::newRow("<") << int(Qt::Key_Less) << false << 188;
        QTest::newRow("~") << int(Qt::Key_AsciiTilde) << false << 192;
        QTest::newRow("\"") << int(Qt::Key_QuoteDbl) << false << 222;
        QTest::newRow("|") << int(Qt::Key_Bar) << false << 220;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << true << 101;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << true << 107;
        QTest::newRow("keypad Home") << int(Qt::Key_Home) << true << 36;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << false << 8;
        QTest::newRow("F1") << int(Qt::Key_F1) << false << 112;
        QTest::newRow("F24") << int(Qt::Key_F24) << false << 135;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << false << 45;
        QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << false << 145;
        QTest::newRow("Chinese comma") << 0xFF0C << false << 0;
    }
    void qtKeysElsewhere() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, vk);
        QCOMPARE(int(virtualKeyFromQtKey(key, keypad)), vk);
    }
};

QTEST_GUILESS_MAIN(KeyCodesTest)
#include "key_codes_test.moc"
