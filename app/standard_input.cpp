// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/standard_input.h"

#include "practice/lesson_file.h"

#include <array>
#include <cerrno>
#include <unistd.h>

namespace keyloom {

LessonBytes readStandardInput() {
    LessonBytes lesson;
    std::array<char, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw LessonFileError("无法读取标准输入上的课文", "-");
        }
        if (got == 0 || !lesson.take({chunk.data(), static_cast<std::size_t>(got)})) {
            break;
        }
    }
    return lesson;
}

} // namespace keyloom
