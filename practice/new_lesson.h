// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/command_line.h"
#include "practice/counter.h"
#include "practice/lesson_file.h"
#include "practice/practice_state.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace keyloom {

// A new text, or the same one again, is practised in a new run of the
// program whose window takes this one's place: a run is never reset. These
// are the window's commands for it, and what it checks before a new run starts.

// What happens to the window that starts a new run.
enum class OldWindow : std::uint8_t {
    Replace, // closes once the new window is up
    Keep,    // stays, beside the new one
};

// A window's top left corner, in the toolkit's pixels.
struct WindowPlace {
    int x = 0;
    int y = 0;
};

// Where the new run's window stands: in the old one's place when it replaces
// it; when the old one stays (the drill), down and right of it as a second
// document window opens, so the old window and its report stay in view.
WindowPlace newWindowPlace(WindowPlace old, OldWindow oldWindow);

// The window's commands for a new run; their keys never reach the practice
// handlers.
enum class LessonCommand : std::uint8_t {
    Restart,       // F3: the same text again, counters at zero (重打)
    LoadClipboard, // F4: the clipboard's text (载文)
    OpenFile,      // Ctrl+O: a text file chosen in a file dialog
};

// Why a new text is refused; each reason has one message, whatever the text
// came from.
enum class TextProblem : std::uint8_t {
    NothingToPractise, // empty, or only line ends and white space
    NotText,           // a NUL byte, or mostly control characters or undecodable bytes
};
std::u16string messageFor(TextProblem problem);

// A new text as it is practised, and how many of its characters the typing
// box refuses (ASCII letters and digits: no input method commits them).
struct NewText {
    std::u16string text;
    std::size_t refusedChars = 0;
};

// The one check of every new text, whatever its source: the command line,
// standard input, F4, Ctrl+O, a drop. Its white space is dropped as its line
// ends are: no key types it. The lesson found in its usual places is not a
// new text and loads as it is.
std::variant<NewText, TextProblem> checkNewText(const LessonBytes& lesson);

// The command line's lesson, read from a file or from standard input into
// `lesson`: the checked text, or LessonFileError with the reason's message
// naming `source`.
NewText acceptNewText(const LessonBytes& lesson, const std::filesystem::path& source);

// The main window's notice of the characters the box refuses; empty when
// there are none.
std::u16string refusedCharsNotice(std::size_t refusedChars);

// What the window does with a checked text: start a new run of it that
// replaces this window, or show a message over the window and keep its run.
// The text's name that a run saves to the journal, for the texts that have
// no file: an empty name keeps the current run's.
inline constexpr std::u16string_view kClipboardTextName = u"剪贴板";
inline constexpr std::u16string_view kStandardInputTextName = u"标准输入";
inline constexpr std::u16string_view kDrillTextName = u"错字练习";
// A file's name without its folder.
std::u16string textNameOf(const std::filesystem::path& file);
// The name of the text a program starts with: --text-name's, else the lesson
// file's name (its bytes as given), 标准输入 for "-", or the usual lesson's.
std::u16string startingTextName(const CommandLine& line);

struct NewLessonActions {
    std::function<void(const std::u16string& text, const std::u16string& textName)> startNewRun;
    std::function<void(const std::u16string& message)> tell;
};

// F3: the current lesson's text, whatever it holds.
void restartLesson(const PracticeState& state, const NewLessonActions& actions);

// F4: the clipboard's text, joined and cut as a lesson file's lines are;
// `clipboardText` is empty when the clipboard holds no text. It is checked as
// every new text is.
void loadClipboardText(const std::optional<std::u16string>& clipboardText,
                       const NewLessonActions& actions);

// Ctrl+O or a dropped file: read as a lesson file is, and checked as every
// new text is. A file that cannot be read, or is no regular file (a FIFO, a
// socket or a device would block the window until someone writes to it), is
// refused.
void openLessonFile(const std::filesystem::path& file, const NewLessonActions& actions);

// The bytes a new run reads from its standard input for `text`: UTF-8, which
// the lesson reader gives back unchanged.
std::string handOverBytes(std::u16string_view text);

} // namespace keyloom
