// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson decoder and the loader on arbitrary bytes: neither may crash,
// hang or give more than can ever be shown, and the loader must give what the
// decoder gives for the same bytes.
#include "practice/lesson_file.h"
#include "practice/lesson_text.h"
#include "practice/new_lesson.h"
#include "practice/ring.h"
#include "text/code_points.h"
#include "text/text_decoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <variant>

namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The lesson folder of this fuzzing process, removed when it exits.
class LessonFolder {
  public:
    LessonFolder() { std::filesystem::create_directories(dir_ / "txt"); }
    ~LessonFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    LessonFolder(const LessonFolder&) = delete;
    LessonFolder& operator=(const LessonFolder&) = delete;

    [[nodiscard]] std::filesystem::path lessonFile() const { return keyloom::lessonPath(dir_); }

  private:
    std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                                 ("keyloom-fuzz-lesson-" + std::to_string(::getpid()));
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the decoder's options, the rest is the lesson.
    const std::uint8_t options = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const bool more = (options & 1U) != 0;
    const std::size_t maxChars = options >> 1U;
    const std::u16string decoded = keyloom::decodeLesson(bytes, more, maxChars);
    require(keyloom::codePointCount(decoded) <= maxChars, "decodeLesson gave more than maxChars");
    for (const char16_t ch : decoded) {
        require(ch != u'\r' && ch != u'\n', "a line end survived decoding");
    }

    static const LessonFolder folder;
    std::ofstream(folder.lessonFile(), std::ios::binary | std::ios::trunc) << bytes;
    const std::u16string loaded = keyloom::readLesson(folder.lessonFile());
    require(keyloom::codePointCount(loaded) <= keyloom::kShowableLessonChars,
            "readLesson gave too much");
    // Folding runs of line ends into one changes nothing.
    require(loaded == keyloom::decodeLesson(bytes, false, keyloom::kShowableLessonChars),
            "readLesson and decodeLesson disagree");

    // As a new text: refused for a reason, or the lesson without its white
    // space, never empty.
    const std::variant<keyloom::NewText, keyloom::TextProblem> checked =
        keyloom::checkNewText(keyloom::readLessonBytes(folder.lessonFile()));
    if (const auto* text = std::get_if<keyloom::NewText>(&checked)) {
        std::u16string kept = loaded;
        std::erase_if(kept,
                      [&text](char16_t ch) { return text->text.find(ch) == std::u16string::npos; });
        require(!text->text.empty(), "an empty new text was accepted");
        require(kept == text->text, "the new text is not the lesson less some characters");
        require(text->refusedChars <= keyloom::codePointCount(text->text),
                "more refused characters than characters");
    }
    return 0;
}
