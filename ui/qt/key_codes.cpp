// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/key_codes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <utility>

namespace keyloom {
namespace {

// Virtual-key codes of the main block by X keycode (evdev code + 8) on a
// standard PC keyboard: the key's place, whatever it types.
constexpr std::pair<quint32, Counter> kX11Keycodes[] = {
    {9, 27},   {10, 49},  {11, 50},  {12, 51},  {13, 52},  {14, 53},  {15, 54},  {16, 55},
    {17, 56},  {18, 57},  {19, 48},  {20, 189}, {21, 187}, {22, 8},   {23, 9},   {24, 81},
    {25, 87},  {26, 69},  {27, 82},  {28, 84},  {29, 89},  {30, 85},  {31, 73},  {32, 79},
    {33, 80},  {34, 219}, {35, 221}, {36, 13},  {37, 17},  {38, 65},  {39, 83},  {40, 68},
    {41, 70},  {42, 71},  {43, 72},  {44, 74},  {45, 75},  {46, 76},  {47, 186}, {48, 222},
    {49, 192}, {50, 16},  {51, 220}, {52, 90},  {53, 88},  {54, 67},  {55, 86},  {56, 66},
    {57, 78},  {58, 77},  {59, 188}, {60, 190}, {61, 191}, {62, 16},  {64, 18},  {65, 32},
    {66, 20},  {67, 112}, {68, 113}, {69, 114}, {70, 115}, {71, 116}, {72, 117}, {73, 118},
    {74, 119}, {75, 120}, {76, 121}, {77, 144}, {78, 145}, {94, 226}, {95, 122}, {96, 123},
    {105, 17}, {107, 44}, {108, 18}, {110, 36}, {111, 38}, {112, 33}, {113, 37}, {114, 39},
    {115, 35}, {116, 40}, {117, 34}, {118, 45}, {119, 46}, {127, 19}, {133, 91}, {134, 92},
    {135, 93},
};

// The keypad's code follows Num Lock, so it comes from the X keysym: 7 or Home.
Counter virtualKeyFromKeysym(quint32 keysym) {
    constexpr quint32 kKeypad0 = 0xFFB0; // XK_KP_0 .. XK_KP_9
    if (keysym >= kKeypad0 && keysym <= kKeypad0 + 9) {
        return static_cast<Counter>(96 + (keysym - kKeypad0));
    }
    switch (keysym) {
    case 0xFFAA: return 106; // KP_Multiply
    case 0xFFAB: return 107; // KP_Add
    case 0xFFAC: return 108; // KP_Separator
    case 0xFFAD: return 109; // KP_Subtract
    case 0xFFAE: return 110; // KP_Decimal
    case 0xFFAF: return 111; // KP_Divide
    case 0xFF8D: return 13;  // KP_Enter
    case 0xFF95: return 36;  // KP_Home
    case 0xFF96: return 37;  // KP_Left
    case 0xFF97: return 38;  // KP_Up
    case 0xFF98: return 39;  // KP_Right
    case 0xFF99: return 40;  // KP_Down
    case 0xFF9A: return 33;  // KP_Prior
    case 0xFF9B: return 34;  // KP_Next
    case 0xFF9C: return 35;  // KP_End
    case 0xFF9D: return 12;  // KP_Begin: Clear
    case 0xFF9E: return 45;  // KP_Insert
    case 0xFF9F: return 46;  // KP_Delete
    default: return 0;
    }
}

// Shifted and unshifted signs of a US keyboard share their key's code.
Counter virtualKeyFromSign(int key) {
    switch (key) {
    case Qt::Key_ParenRight: return 48;
    case Qt::Key_Exclam: return 49;
    case Qt::Key_At: return 50;
    case Qt::Key_NumberSign: return 51;
    case Qt::Key_Dollar: return 52;
    case Qt::Key_Percent: return 53;
    case Qt::Key_AsciiCircum: return 54;
    case Qt::Key_Ampersand: return 55;
    case Qt::Key_Asterisk: return 56;
    case Qt::Key_ParenLeft: return 57;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

Counter virtualKeyFromKeypad(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<Counter>(96 + (key - Qt::Key_0));
    }
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

Counter virtualKeyFromNamedKey(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<Counter>(112 + (key - Qt::Key_F1));
    }
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: return 0;
    }
}

bool isKeypadKeycode(quint32 keycode) {
    // KP_7 .. KP_Decimal, KP_Multiply, KP_Enter and KP_Divide.
    return (keycode >= 79 && keycode <= 91) || keycode == 63 || keycode == 104 || keycode == 106;
}

// Latin letters (either case), digits and space, by their keysym (the same
// values as Latin-1 code points).
Counter virtualKeyFromTypedCharacter(quint32 keysym) {
    if (keysym >= 'a' && keysym <= 'z') {
        return static_cast<Counter>(keysym - 'a' + 'A');
    }
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9') || keysym == ' ') {
        return static_cast<Counter>(keysym);
    }
    return 0;
}

Counter virtualKeyFromPhysicalKey(quint32 keycode, quint32 keysym) {
    if (isKeypadKeycode(keycode)) {
        return virtualKeyFromKeysym(keysym);
    }
    constexpr quint32 kF13 = 191; // F13 .. F24 lie in a row
    if (keycode >= kF13 && keycode <= kF13 + 11) {
        return static_cast<Counter>(124 + (keycode - kF13));
    }
    for (const auto& [code, vk] : kX11Keycodes) {
        if (code == keycode) {
            return vk;
        }
    }
    return virtualKeyFromKeysym(keysym);
}

} // namespace

Counter virtualKeyFromXkb(quint32 keycode, quint32 keysym) {
    // Letters, digits and the space bar are what the key types, on any
    // layout: the key that types m on AZERTY is M.
    if (const Counter typed = virtualKeyFromTypedCharacter(keysym); typed != 0) {
        return typed;
    }
    const Counter physical = virtualKeyFromPhysicalKey(keycode, keysym);
    // A key of the letter block that types a sign is that sign's key (the
    // comma beside N on AZERTY); the digit row keeps its digits whatever
    // its unshifted signs, as its shifted level types them.
    if (physical >= 'A' && physical <= 'Z') {
        if (const Counter sign = virtualKeyFromSign(static_cast<int>(keysym)); sign >= 186) {
            return sign;
        }
    }
    return physical;
}

Counter virtualKeyFromQtKey(int key, bool keypad) {
    if (keypad) {
        if (const Counter vk = virtualKeyFromKeypad(key); vk != 0) {
            return vk;
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<Counter>(key); // the codes are the upper-case letters and digits
    }
    if (const Counter vk = virtualKeyFromSign(key); vk != 0) {
        return vk;
    }
    return virtualKeyFromNamedKey(key);
}

Counter virtualKeyCode(const QKeyEvent& event) {
    static const QString platform = QGuiApplication::platformName();
    // X11 and Wayland both report the xkb keycode and keysym.
    static const bool xkb =
        platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    if (xkb && event.nativeScanCode() != 0) {
        return virtualKeyFromXkb(event.nativeScanCode(), event.nativeVirtualKey());
    }
    if (platform == QLatin1String("windows") && event.nativeVirtualKey() != 0) {
        return static_cast<Counter>(event.nativeVirtualKey());
    }
    return virtualKeyFromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

Counter shiftState(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    return static_cast<Counter>((mods.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                                (mods.testFlag(Qt::ControlModifier) ? 2 : 0) |
                                (mods.testFlag(Qt::AltModifier) ? 4 : 0));
}

} // namespace keyloom
