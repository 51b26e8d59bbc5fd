// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/keystroke_counter.h"

#include <windows.h>

namespace keyloom {

// Hands a message the typing box receives to the keystroke rules: every
// key-down (an input method's keys come as VK_PROCESSKEY) and every
// composition message.
void feedKeystroke(KeystrokeCounter& counter, UINT message, WPARAM wParam);

} // namespace keyloom
