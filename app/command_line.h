// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "course/course_options.h"

#include <filesystem>
#include <optional>

namespace keyloom {

// What the command line asks for: practise `lessonFile` instead of the lesson
// looked up in the usual places; "-" is standard input.
struct CommandLine {
    std::optional<std::filesystem::path> lessonFile;
    // A course to follow instead (--set and the options that go with it).
    std::optional<CourseOptions> course;

    [[nodiscard]] bool readsStandardInput() const { return lessonFile && *lessonFile == "-"; }
};

// Exit statuses of the command line, as the man page documents them.
inline constexpr int kExitOnFileError = 1;
inline constexpr int kExitOnUsageError = 2;

// Reads the command line of the running QCoreApplication, started with
// `argv`, which keeps a file name's bytes as they were given. Answers --help and
// --version on stdout and ends the program with status 0; an unknown option,
// a second file, a file with --set or a course option's bad value is
// reported on stderr and ends it with kExitOnUsageError.
CommandLine parseCommandLine(int argc, const char* const argv[]);

} // namespace keyloom
