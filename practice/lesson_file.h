#pragma once

#include "practice/errors.h"

#include <filesystem>
#include <string>

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

// Reads the lesson and returns its text: the lines joined with nothing between
// them, only as much as can ever be shown. Raises LessonFileError when the
// "txt" directory or the file is missing or cannot be read.
std::u16string readLesson(const std::filesystem::path& path);

} // namespace keyloom
