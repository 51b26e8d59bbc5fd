// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/keystroke_feed.h"

#include "ui/win32/typing_box.h"

namespace keyloom {

void feedKeystroke(KeystrokeCounter& counter, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        counter.keyDown(static_cast<Counter>(wParam & 0xFFFFU), currentShiftState());
        break;
    case WM_IME_COMPOSITION: counter.compositionMessage(); break;
    default: break;
    }
}

} // namespace keyloom
