// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/lesson_file.h"

#include "practice/lesson_text.h"
#include "practice/ring.h"

#include <array>
#include <fstream>
#include <system_error>

namespace keyloom {
namespace {

// Enough bytes besides line ends for kShowableLessonChars characters in any
// encoding the loader accepts (a character takes at most four bytes), so a
// huge lesson is never read or decoded whole.
constexpr std::size_t kMaxContentBytes = 4 * kShowableLessonChars;

std::string u8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace

std::filesystem::path lessonPath(const std::filesystem::path& programDir) {
    return programDir / u8"txt" / u8"文档.txt";
}

std::filesystem::path userDataDirectory(const char* xdgDataHome, const char* home) {
    // The base-directory rules ignore a relative $XDG_DATA_HOME.
    if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
        return xdgDataHome;
    }
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share";
    }
    return {};
}

std::vector<std::filesystem::path> lessonPlaces(const std::filesystem::path& userDataDir,
                                                const std::filesystem::path& programDir) {
    std::vector<std::filesystem::path> places;
    if (!userDataDir.empty()) {
        places.push_back(lessonPath(userDataDir / "keyloom"));
    }
    places.push_back(lessonPath(programDir));
    return places;
}

std::filesystem::path findLesson(const std::vector<std::filesystem::path>& places) {
    std::string looked;
    for (const std::filesystem::path& place : places) {
        std::error_code ec;
        if (std::filesystem::exists(place, ec)) {
            return place;
        }
        looked += "\n" + u8(place);
    }
    const std::filesystem::path last = places.empty() ? std::filesystem::path() : places.back();
    throw LessonFileError("找不到课文文件，查找过：" + looked, last);
}

bool LessonBytes::take(std::string_view bytes) {
    constexpr std::size_t kTextCheckBytes = 65536;
    if (bytesSeen_ < kTextCheckBytes) {
        binary_ = binary_ || bytes.substr(0, kTextCheckBytes - bytesSeen_).find('\0') !=
                                 std::string_view::npos;
    }
    bytesSeen_ += bytes.size();
    // Line ends stay, so the lines can be decoded one by one; a run of them
    // is kept as one LF, for the empty lines between add nothing.
    for (const char byte : bytes) {
        if (byte == '\r' || byte == '\n') {
            if (content_.empty() || content_.back() != '\n') {
                content_.push_back('\n');
            }
            continue;
        }
        if (contentBytes_ == kMaxContentBytes) {
            more_ = true;
            break;
        }
        content_.push_back(byte);
        ++contentBytes_;
    }
    return !more_;
}

std::u16string LessonBytes::text() const {
    return decodeLesson(content_, more_, kShowableLessonChars);
}

LessonBytes readLessonBytes(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path parent = path.parent_path();
    const std::filesystem::path dir = parent.empty() ? std::filesystem::path(".") : parent;
    if (!std::filesystem::is_directory(dir, ec)) {
        throw LessonFileError("找不到课文目录：" + u8(dir), dir);
    }
    if (!std::filesystem::exists(path, ec)) {
        throw LessonFileError("找不到课文文件：" + u8(path), path);
    }
    if (std::filesystem::is_directory(path, ec)) {
        throw LessonFileError("课文文件是一个目录：" + u8(path), path);
    }
    // Opened and read once: a pipe or a FIFO has nothing left to read again.
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw LessonFileError("无法读取课文文件：" + u8(path), path);
    }
    LessonBytes lesson;
    std::array<char, 65536> chunk{};
    while (file.read(chunk.data(), chunk.size()) || file.gcount() > 0) {
        if (!lesson.take({chunk.data(), static_cast<std::size_t>(file.gcount())})) {
            break;
        }
    }
    if (file.bad()) {
        throw LessonFileError("无法读取课文文件：" + u8(path), path);
    }
    return lesson;
}

std::u16string readLesson(const std::filesystem::path& path) {
    return readLessonBytes(path).text();
}

} // namespace keyloom
