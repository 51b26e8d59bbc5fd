// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/main_controls.h"
#include "ui/typing_rules.h"

#include <cstdint>

namespace keyloom {

// Where the program runs, for how to turn an input method on there.
enum class Desktop : std::uint8_t { Linux, Windows };

// The main window's notice (`lblInputMethod`) that typing needs an input
// method, and how to turn one on: shown once the box has refused a letter
// while no input method has ever reached it, gone with the first
// input-method event.
void showInputMethodNotice(MainControls& controls, const TypingRules& rules, Desktop desktop);

} // namespace keyloom
