#include "tests/practice/practice_fixture.h"

#include "practice/lesson_file.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace keyloom::test {

LessonDir::LessonDir() {
    static std::atomic<int> serial{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("keyloom-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(dir_ / "txt");
}

LessonDir::~LessonDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::filesystem::path LessonDir::lessonFile() const {
    return lessonPath(dir_);
}

void LessonDir::writeBytes(const std::string& bytes) const {
    std::ofstream(lessonFile(), std::ios::binary) << bytes;
}

std::u16string distinctLesson(std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char16_t>(0x4E00 + i % 20000));
    }
    return text;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

void PracticeFixture::restart() {
    controls = frmMainControls();
    form.state() = PracticeState{};
}

void PracticeFixture::load(const std::u16string& lesson) {
    loadBytes(utf8(lesson));
}

void PracticeFixture::loadBytes(const std::string& bytes) {
    dir.writeBytes(bytes);
    form.Form_Load(dir.lessonFile());
}

void PracticeFixture::commit(char16_t ch) {
    form.txtType_KeyDown(kKeyProcessedByIme, 0);
    ASSERT_FALSE(controls.txtType.locked);
    controls.txtType.text.push_back(ch);
    controls.txtType.selStart = static_cast<long long>(controls.txtType.text.size());
    form.txtType_Change();
}

void PracticeFixture::type(std::u16string_view text) {
    for (const char16_t ch : text) {
        commit(ch);
    }
}

void PracticeFixture::typeRight(int count) {
    for (int i = 0; i < count; ++i) {
        const auto position = static_cast<std::size_t>(form.state().typedCount);
        const std::u16string& lesson = form.state().lessonText;
        commit(position < lesson.size() ? lesson[position] : u'x');
    }
}

void PracticeFixture::typeWrong(int count) {
    for (int i = 0; i < count; ++i) {
        commit(u'?');
    }
}

void PracticeFixture::backspace() {
    form.txtType_KeyDown(kKeyBack, 0);
    if (!controls.txtType.locked && !controls.txtType.text.empty()) {
        controls.txtType.text.pop_back();
        controls.txtType.selStart = static_cast<long long>(controls.txtType.text.size());
        form.txtType_Change();
    }
}

} // namespace keyloom::test
