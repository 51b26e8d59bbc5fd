// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/counter.h"

#include <string>

namespace keyloom {

constexpr Counter kTrue = -1;
constexpr Counter kFalse = 0;

// The state of the one practice run, owned by the main window for its whole
// life; every counter starts at 0.
struct PracticeState {
    Counter typedCount = 0; // characters scored so far; index of the newest mark
    Counter curRow = 0;     // ring row of the character being handled
    Counter curCol = 0;     // its column, typedCount mod 44
    Counter nextLine = 0;   // next lesson line for the reference ring
    Counter skipChange = kFalse;
    Counter ringWrapped = kFalse;
    Counter rightCount = 0;
    Counter wrongCount = 0;
    Counter accuracy = 0; // per mille
    Counter speed = 0;    // characters per minute
    std::u16string lessonText;
    Counter elapsedSeconds = 0;
};

} // namespace keyloom
