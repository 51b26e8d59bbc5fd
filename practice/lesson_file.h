#pragma once

#include "practice/errors.h"

#include <filesystem>
#include <string>
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

// Reads the lesson and returns its text: the lines joined with nothing between
// them, only as much as can ever be shown. Raises LessonFileError when the
// "txt" directory or the file is missing or cannot be read.
std::u16string readLesson(const std::filesystem::path& path);

} // namespace keyloom
