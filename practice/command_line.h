// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace keyloom {

// A course's options as they were given (UTF-8 on Linux desktops), unset
// when absent; the course reads them.
struct CourseArguments {
    std::optional<std::string> set{};
    std::optional<std::string> length{};
    std::optional<std::string> segment{};
    bool shuffle = false;
    std::optional<std::string> seed{};
    std::optional<std::string> target{};
    std::optional<std::string> attempt{};  // carried from run to run
    std::optional<std::string> previous{}; // carried from run to run
};

// What the command line asks for: practise `lessonFile` (its bytes as given:
// the platform's own encoding on Linux, UTF-8 on Windows) instead of the
// lesson looked up in the usual places; "-" is standard input.
struct CommandLine {
    std::optional<std::string> lessonFile;
    CourseArguments course{};
    // --ideal TABLE: print the text's ideal split with that code table, no window.
    std::optional<std::string> idealTable;
    // --hint TABLE: the code hint from the start.
    std::optional<std::string> hintTable;
    std::optional<std::string> textName; // the text's name in the practice journal, UTF-8
    bool help = false;
    bool version = false;

    [[nodiscard]] bool readsStandardInput() const { return lessonFile && *lessonFile == "-"; }
};

// One option: adding an option is one row of the table in command_line.cpp.
struct CommandLineOption {
    std::string_view name;      // "--version"
    std::string_view shortName; // "-v", or empty
    std::string_view argument;  // the argument's name in the help, empty when it takes none
    std::string_view help;
    void (*apply)(CommandLine& line, std::string_view argument);
};

// Exit statuses of the command line, as the man page documents them.
inline constexpr int kExitOnFileError = 1;
inline constexpr int kExitOnUsageError = 2;

// The program's answer instead of a run: the help, the version or what is
// wrong with the command line, and the status it ends with.
struct CommandLineAnswer {
    std::string text;
    bool onStandardError = false;
    int exitStatus = 0;
};

// The arguments after the program's name, as given: a file name keeps its
// bytes. `program` names the program in the help and in messages; --version
// shows `version`.
std::variant<CommandLine, CommandLineAnswer>
parseCommandLine(std::span<const std::string> arguments, std::string_view program,
                 std::string_view version);

} // namespace keyloom
