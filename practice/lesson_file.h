// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/errors.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// A lesson that cannot be read; `path` names what is missing or unreadable.
class LessonFileError : public PracticeError {
  public:
    LessonFileError(const std::string& message, std::filesystem::path path)
        : PracticeError(message), path_(std::move(path)) {}
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// "txt/文档.txt" under the program's directory.
std::filesystem::path lessonPath(const std::filesystem::path& programDir);

// The user's own data folder: $XDG_DATA_HOME when it is an absolute path,
// else $HOME/.local/share; empty when neither is usable. Either argument may be
// null (the variable is not set).
std::filesystem::path userDataDirectory(const char* xdgDataHome, const char* home);

// Where the lesson is looked for, in order: "keyloom/txt/文档.txt" in the
// user's data folder (skipped when that is empty), then lessonPath(programDir).
std::vector<std::filesystem::path> lessonPlaces(const std::filesystem::path& userDataDir,
                                                const std::filesystem::path& programDir);

// The first of `places` that exists. Raises LessonFileError naming every one
// of them when none does.
std::filesystem::path findLesson(const std::vector<std::filesystem::path>& places);

// A lesson's bytes as they are read from a file or a pipe, kept only as far
// as they can ever be shown, so a huge lesson is never read or decoded whole.
class LessonBytes {
  public:
    // Takes the next bytes read; false once enough is held and reading can
    // stop.
    bool take(std::string_view bytes);
    // The lesson's text: the lines joined with nothing between them, only as
    // much as can ever be shown.
    [[nodiscard]] std::u16string text() const;
    // Whether a NUL byte came in the first 64 KB: no text file holds one.
    [[nodiscard]] bool binary() const { return binary_; }

  private:
    std::string content_; // line ends kept, a run of them as one LF
    std::size_t contentBytes_ = 0;
    std::size_t bytesSeen_ = 0;
    bool more_ = false;
    bool binary_ = false;
};

// Reads the lesson file; a bare file name is read from the current folder.
// Raises LessonFileError when its folder or the file is missing, is a folder
// or cannot be read.
LessonBytes readLessonBytes(const std::filesystem::path& path);

// readLessonBytes(path).text().
std::u16string readLesson(const std::filesystem::path& path);

} // namespace keyloom
