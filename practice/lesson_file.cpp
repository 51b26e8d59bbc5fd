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

std::u16string readLesson(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path dir = path.parent_path();
    if (!std::filesystem::is_directory(dir, ec)) {
        throw LessonFileError("找不到课文目录：" + u8(dir), dir);
    }
    if (!std::filesystem::exists(path, ec)) {
        throw LessonFileError("找不到课文文件：" + u8(path), path);
    }
    if (std::filesystem::is_directory(path, ec)) {
        throw LessonFileError("课文文件是一个目录：" + u8(path), path);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw LessonFileError("无法读取课文文件：" + u8(path), path);
    }
    // Line ends stay, so the lines can be decoded one by one; a run of them
    // is kept as one LF, for the empty lines between add nothing.
    std::string content;
    std::size_t contentBytes = 0;
    std::array<char, 65536> chunk{};
    bool more = false;
    while (!more && (file.read(chunk.data(), chunk.size()) || file.gcount() > 0)) {
        const auto got = static_cast<std::size_t>(file.gcount());
        for (std::size_t i = 0; i < got; ++i) {
            const char byte = chunk[i];
            if (byte == '\r' || byte == '\n') {
                if (content.empty() || content.back() != '\n') {
                    content.push_back('\n');
                }
                continue;
            }
            if (contentBytes == kMaxContentBytes) {
                more = true;
                break;
            }
            content.push_back(byte);
            ++contentBytes;
        }
    }
    if (file.bad()) {
        throw LessonFileError("无法读取课文文件：" + u8(path), path);
    }
    return decodeLesson(content, more, kShowableLessonChars);
}

} // namespace keyloom
