// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/practice/practice_fixture.h"

#include "text/code_points.h"

namespace keyloom::test {

std::u16string distinctLesson(std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char16_t>(0x4E00 + i % 20000));
    }
    return text;
}

void PracticeFixture::restart() {
    controls = frmMainControls();
    form.state() = PracticeState{};
}

void PracticeFixture::load(const std::u16string& lesson) {
    dir.write(lesson);
    form.Form_Load(dir.lessonFile());
}

void PracticeFixture::loadBytes(const std::string& bytes) {
    dir.write(bytes);
    form.Form_Load(dir.lessonFile());
}

void PracticeFixture::commit(char16_t ch) {
    box.commit(std::u16string_view(&ch, 1));
}

void PracticeFixture::type(std::u16string_view text) {
    for (const char16_t ch : text) {
        commit(ch);
    }
}

void PracticeFixture::typeRight(int count) {
    for (int i = 0; i < count; ++i) {
        const std::u16string_view right = codePointSlice(
            form.state().lessonText, static_cast<std::size_t>(form.state().typedCount), 1);
        box.commit(right.empty() ? u"x" : right);
    }
}

void PracticeFixture::typeWrong(int count) {
    for (int i = 0; i < count; ++i) {
        commit(u'?');
    }
}

void PracticeFixture::backspace() {
    box.backspace();
}

} // namespace keyloom::test
