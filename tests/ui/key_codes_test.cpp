#include "ui/qt/key_codes.h"

#include <QTest>

using keyloom::virtualKeyFromQtKey;
using keyloom::virtualKeyFromX11;

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
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << row.keycode << row.keysym << row.vk;
        }
    }
    void physicalKeysUnderX11() {
        QFETCH(quint32, keycode);
        QFETCH(quint32, keysym);
        QFETCH(int, vk);
        QCOMPARE(int(virtualKeyFromX11(keycode, keysym)), vk);
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
