// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/counter.h"

#include <QtGlobal>

class QKeyEvent;

namespace keyloom {

// The Windows virtual-key code of a key, which the key-down handler expects.
// Under X11 and Wayland, as on Windows, letters, digits and the space bar get
// their code from what the key types on the active layout (the xkb keysym),
// so that they are refused on any layout; other keys from their place on the
// keyboard (the xkb keycode), so that Shift does not change them. Elsewhere
// Qt's key stands in, read as a key of a US keyboard. 0 for a key without a
// code.
Counter virtualKeyCode(const QKeyEvent& event);

// The two tables behind it, for the tests.
Counter virtualKeyFromXkb(quint32 keycode, quint32 keysym);
Counter virtualKeyFromQtKey(int key, bool keypad);

// The shift state of a key-down: 1 Shift, 2 Ctrl, 4 Alt.
Counter shiftState(const QKeyEvent& event);

} // namespace keyloom
