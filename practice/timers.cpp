// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/errors.h"
#include "practice/frm_main.h"

#include <cstdio>

namespace keyloom {
namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesShown = 60; // hours are not shown: minutes wrap to 00

std::u16string clockText(Counter elapsedSeconds) {
    const int minutes = (elapsedSeconds / kSecondsPerMinute) % kMinutesShown;
    const int seconds = elapsedSeconds % kSecondsPerMinute;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes, seconds);
    return {text, text + 5};
}

} // namespace

void FrmMain::Timer1_Timer() {
    try {
        s_.elapsedSeconds = checkedAdd(s_.elapsedSeconds, 1);
        c_.lblTime.caption = clockText(s_.elapsedSeconds);
        const Counter total = checkedAdd(s_.rightCount, s_.wrongCount);
        s_.speed = roundToCounter(60.0 / checkedDivide(s_.elapsedSeconds, total));
        c_.lblSudu.caption = decimalText(s_.speed);
    } catch (const PracticeError&) {
        // The clock leaves silently; what it did before the error stays done.
    }
}

void FrmMain::Timer2_Timer() {
    c_.Line1.visible = !c_.Line1.visible;
}

} // namespace keyloom
