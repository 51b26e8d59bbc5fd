// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/new_lesson.h"

#include <functional>
#include <string>
#include <windows.h>

namespace keyloom {

// Starts a new run of the program, in a new process, with `text` as its
// lesson; its window opens where `window` is. With OldWindow::Replace,
// `window` closes once the new window is up. A start that fails is told in a
// message box over `window`, which stays with its run. The program's
// start-up hands it to the windows that start new runs.
using NewRunStarter = std::function<void(HWND window, const std::u16string& text,
                                         const std::u16string& textName, OldWindow old)>;

} // namespace keyloom
