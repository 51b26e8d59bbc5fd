// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace keyloom {

// What the command line asks for: practise `lessonFile` instead of the lesson
// looked up in the usual places; "-" is standard input.
struct CommandLine {
    std::optional<std::filesystem::path> lessonFile;
    // --ideal TABLE: print the text's ideal split with that code table and end.
    std::optional<std::string> idealTable;
    // --hint TABLE: show that table's codes from the start.
    std::optional<std::string> hintTable;

    [[nodiscard]] bool readsStandardInput() const { return lessonFile && *lessonFile == "-"; }
};

// Exit statuses of the command line, as the man page documents them.
inline constexpr int kExitOnFileError = 1;
inline constexpr int kExitOnUsageError = 2;

// Reads the command line of the running QCoreApplication, started with
// `argv`, which keeps a file name's bytes as they were given. Answers --help and
// --version on stdout and ends the program with status 0; an unknown option or
// a second file is reported on stderr and ends it with kExitOnUsageError.
CommandLine parseCommandLine(int argc, const char* const argv[]);

} // namespace keyloom
