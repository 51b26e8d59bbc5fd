// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string_view>

namespace keyloom::test {

// A program folder of its own, with the "txt" folder the lesson goes in;
// removed with the object.
class LessonFolder {
  public:
    LessonFolder();
    ~LessonFolder();
    LessonFolder(const LessonFolder&) = delete;
    LessonFolder& operator=(const LessonFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& programDir() const { return dir_; }
    [[nodiscard]] std::filesystem::path lessonFile() const;

    // The lesson file's bytes, or its text as UTF-8.
    void write(std::string_view bytes) const;
    void write(std::u16string_view text) const;

  private:
    std::filesystem::path dir_;
};

} // namespace keyloom::test
