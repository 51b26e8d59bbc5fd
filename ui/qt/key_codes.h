#pragma once

#include "practice/counter.h"

#include <QtGlobal>

class QKeyEvent;

namespace keyloom {

// The Windows virtual-key code of a key, which the key-down handler expects.
// Under X11 the physical key decides (the X keycode), so the code does not
// depend on Shift or the keyboard layout; elsewhere Qt's key stands in, read
// as a key of a US keyboard. 0 for a key without a code.
Counter virtualKeyCode(const QKeyEvent& event);

// The two tables behind it, for the tests.
Counter virtualKeyFromX11(quint32 keycode, quint32 keysym);
Counter virtualKeyFromQtKey(int key, bool keypad);

// The shift state of a key-down: 1 Shift, 2 Ctrl, 4 Alt.
Counter shiftState(const QKeyEvent& event);

} // namespace keyloom
