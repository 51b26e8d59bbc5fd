// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/counter.h"

#include <cstdint>
#include <optional>

namespace keyloom {

// The program's own commands, each on a key of the main window. None of them
// types: an open composition is abandoned first, and only F1 and F2 run the
// key-down handler (before the command), as every other key does.
enum class ProgramCommand : std::uint8_t {
    About,           // F1
    Report,          // F2 (成绩)
    Restart,         // F3: the same text again (重打)
    LoadClipboard,   // F4: the clipboard's text (载文)
    OpenFile,        // Ctrl+O: a text file chosen in a file dialog
    LessonWindow,    // F5: the lessons and the course (课文)
    CodeHint,        // F6: the code of the next character
    History,         // F7: the runs saved so far
    NextSegment,     // Ctrl+Right: the course's next segment
    PreviousSegment, // Ctrl+Left: the course's previous segment
};

// The command of a key-down (virtual-key code, shift state), if it is one.
// A key is a command only with exactly its own modifiers: with Shift, Ctrl
// or Alt added or missing (Shift+F3, Ctrl+Alt+O, Alt+F4) it is an ordinary
// key for the practice handlers.
std::optional<ProgramCommand> programCommandFor(Counter keyCode, Counter shift);

// Whether the key-down handler sees the command's key before the command
// runs: F1 and F2, which leave the practice as it is.
bool commandRunsKeyDownHandler(ProgramCommand command);

} // namespace keyloom
