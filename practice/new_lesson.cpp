// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/new_lesson.h"

#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "practice/lesson_text.h"
#include "practice/ring.h"
#include "text/text_decoding.h"
#include "text/utf8_text.h"

namespace keyloom {
namespace {

const std::u16string kNoClipboardText = u"剪贴板里没有文字，没有可以载入的课文。";
const std::u16string kNothingInClipboard = u"剪贴板里的文字是空的，没有可以练习的内容。";
const std::u16string kNotText = u"这不是文本文件，不能作为课文：";
const std::u16string kNothingInFile = u"课文文件是空的，没有可以练习的内容：";

// A message's or a file name's bytes as text: a name that is not UTF-8 is
// still shown, its other bytes as U+FFFD.
std::u16string shown(std::string_view bytes) {
    if (std::optional<std::u16string> text = decodeUtf8Strict(bytes, false)) {
        return std::move(*text);
    }
    std::u16string text;
    for (const char byte : bytes) {
        text.push_back(static_cast<unsigned char>(byte) < 0x80 ? static_cast<char16_t>(byte)
                                                               : u'\uFFFD');
    }
    return text;
}

std::u16string named(const std::u16string& message, const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return message +
           shown(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
}

} // namespace

void restartLesson(const PracticeState& state, const NewLessonActions& actions) {
    actions.startNewRun(state.lessonText);
}

void loadClipboardText(const std::optional<std::u16string>& clipboardText,
                       const NewLessonActions& actions) {
    if (!clipboardText) {
        actions.tell(kNoClipboardText);
        return;
    }
    const std::u16string text = decodeLesson(toUtf8(*clipboardText), false, kShowableLessonChars);
    if (text.empty()) {
        actions.tell(kNothingInClipboard);
        return;
    }
    actions.startNewRun(text);
}

void openLessonFile(const std::filesystem::path& file, const NewLessonActions& actions) {
    std::u16string text;
    try {
        const LessonBytes lesson = readLessonBytes(file);
        if (lesson.binary()) {
            actions.tell(named(kNotText, file));
            return;
        }
        text = lesson.text();
    } catch (const LessonFileError& error) {
        actions.tell(shown(error.what()));
        return;
    }
    if (text.empty()) {
        actions.tell(named(kNothingInFile, file));
        return;
    }
    actions.startNewRun(text);
}

std::string handOverBytes(std::u16string_view text) {
    return toUtf8(text);
}

} // namespace keyloom
