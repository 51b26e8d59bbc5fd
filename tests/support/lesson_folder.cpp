// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/lesson_folder.h"

#include "practice/lesson_file.h"
#include "text/utf8_text.h"

#include <atomic>
#include <fstream>
#include <string>
#include <unistd.h>

namespace keyloom::test {

LessonFolder::LessonFolder() {
    static std::atomic<int> serial{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("keyloom-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(dir_ / "txt");
}

LessonFolder::~LessonFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::filesystem::path LessonFolder::lessonFile() const {
    return lessonPath(dir_);
}

void LessonFolder::write(std::string_view bytes) const {
    std::ofstream(lessonFile(), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void LessonFolder::write(std::u16string_view text) const {
    write(std::string_view(toUtf8(text)));
}

} // namespace keyloom::test
