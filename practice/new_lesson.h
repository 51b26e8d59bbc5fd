// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/counter.h"
#include "practice/practice_state.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

// A new text, or the same one again, is practised in a new run of the
// program whose window takes this one's place: a run is never reset. These
// are the window's commands for it, and what it checks before a new run starts.

// What happens to the window that starts a new run.
enum class OldWindow : std::uint8_t {
    Replace, // closes once the new window is up
    Keep,    // stays, beside the new one
};

// The window's commands for a new run; their keys never reach the practice
// handlers.
enum class LessonCommand : std::uint8_t {
    Restart,       // F3: the same text again, counters at zero (重打)
    LoadClipboard, // F4: the clipboard's text (载文)
    OpenFile,      // Ctrl+O: a text file chosen in a file dialog
};

// What the window does with a checked text: start a new run of it that
// replaces this window, or show a message over the window and keep its run.
struct NewLessonActions {
    std::function<void(const std::u16string& text)> startNewRun;
    std::function<void(const std::u16string& message)> tell;
};

// F3: the current lesson's text, whatever it holds.
void restartLesson(const PracticeState& state, const NewLessonActions& actions);

// F4: the clipboard's text, joined and cut as a lesson file's lines are;
// `clipboardText` is empty when the clipboard holds no text. A text with
// nothing to practise is refused.
void loadClipboardText(const std::optional<std::u16string>& clipboardText,
                       const NewLessonActions& actions);

// Ctrl+O or a dropped file: read as a lesson file is. A file that cannot be
// read, is no text (a NUL byte in its first 64 KB) or holds nothing to
// practise is refused.
void openLessonFile(const std::filesystem::path& file, const NewLessonActions& actions);

// The bytes a new run reads from its standard input for `text`: UTF-8, which
// the lesson reader gives back unchanged.
std::string handOverBytes(std::u16string_view text);

} // namespace keyloom
