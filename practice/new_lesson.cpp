// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/new_lesson.h"

#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "text/code_points.h"
#include "text/text_decoding.h"
#include "text/utf8_text.h"

namespace keyloom {
namespace {

const std::u16string kNoClipboardText = u"剪贴板里没有文字，没有可以载入的课文。";
const std::u16string kNothingToPractise = u"课文是空的或只有空白，没有可以练习的内容。";
const std::u16string kNotText =
    u"这不是文本，不能作为课文：含有 NUL 字节，或大多是控制字符、无法解码的字节。";
const std::u16string kNotRegularFile = u"这不是普通文件，不能作为课文：";

// Unicode's white space: no key of the box types it.
bool isWhiteSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// A control character, or what a decoder made of a byte it could not read.
bool isGarbage(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFD;
}

bool isRefusedByTheBox(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

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

std::u16string shownName(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return shown(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
}

// Starts a new run of the checked text, or tells why not.
void startChecked(const LessonBytes& lesson, const std::u16string& source,
                  const std::u16string& textName, const NewLessonActions& actions) {
    const std::variant<NewText, TextProblem> checked = checkNewText(lesson);
    if (const auto* problem = std::get_if<TextProblem>(&checked)) {
        actions.tell(messageFor(*problem) + source);
        return;
    }
    actions.startNewRun(std::get<NewText>(checked).text, textName);
}

} // namespace

std::u16string textNameOf(const std::filesystem::path& file) {
    return shownName(file.filename());
}

std::u16string startingTextName(const CommandLine& line) {
    if (line.textName) {
        return shown(*line.textName);
    }
    if (line.course.set) {
        return shown(*line.course.set + " 第" + line.course.segment.value_or("1") + "段");
    }
    if (!line.lessonFile) {
        return u"文档.txt";
    }
    if (line.readsStandardInput()) {
        return std::u16string(kStandardInputTextName);
    }
    const std::string_view file = *line.lessonFile;
    const std::size_t folderEnd = file.find_last_of("/\\");
    return shown(folderEnd == std::string_view::npos ? file : file.substr(folderEnd + 1));
}

std::u16string messageFor(TextProblem problem) {
    return problem == TextProblem::NotText ? kNotText : kNothingToPractise;
}

std::variant<NewText, TextProblem> checkNewText(const LessonBytes& lesson) {
    if (lesson.binary()) {
        return TextProblem::NotText;
    }
    NewText checked;
    std::size_t garbage = 0;
    for (const char16_t unit : lesson.text()) {
        if (isWhiteSpace(unit)) {
            continue;
        }
        garbage += isGarbage(unit) ? 1 : 0;
        checked.refusedChars += isRefusedByTheBox(unit) ? 1 : 0;
        checked.text.push_back(unit);
    }
    // A stray control character is still a text; a real text has hardly any.
    if (garbage * 2 > codePointCount(checked.text)) {
        return TextProblem::NotText;
    }
    if (checked.text.empty()) {
        return TextProblem::NothingToPractise;
    }
    return checked;
}

NewText acceptNewText(const LessonBytes& lesson, const std::filesystem::path& source) {
    std::variant<NewText, TextProblem> checked = checkNewText(lesson);
    if (const auto* problem = std::get_if<TextProblem>(&checked)) {
        throw LessonFileError(toUtf8(messageFor(*problem) + u" " + shownName(source)), source);
    }
    return std::move(std::get<NewText>(checked));
}

std::u16string refusedCharsNotice(std::size_t refusedChars) {
    if (refusedChars == 0) {
        return {};
    }
    const std::string count = std::to_string(refusedChars);
    return u"课文里有 " + std::u16string(count.begin(), count.end()) +
           u" 个字母或数字，输入法打不出来，只能记为错字。";
}

void restartLesson(const PracticeState& state, const NewLessonActions& actions) {
    actions.startNewRun(state.lessonText, {});
}

void loadClipboardText(const std::optional<std::u16string>& clipboardText,
                       const NewLessonActions& actions) {
    if (!clipboardText) {
        actions.tell(kNoClipboardText);
        return;
    }
    LessonBytes lesson;
    lesson.take(toUtf8(*clipboardText));
    startChecked(lesson, u"", std::u16string(kClipboardTextName), actions);
}

void openLessonFile(const std::filesystem::path& file, const NewLessonActions& actions) {
    using enum std::filesystem::file_type;
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::status(file, ec).type();
    if (type == fifo || type == socket || type == block || type == character || type == unknown) {
        actions.tell(kNotRegularFile + shownName(file));
        return;
    }
    LessonBytes lesson;
    try {
        lesson = readLessonBytes(file);
    } catch (const LessonFileError& error) {
        actions.tell(shown(error.what()));
        return;
    }
    startChecked(lesson, u" " + shownName(file), textNameOf(file), actions);
}

WindowPlace newWindowPlace(WindowPlace old, OldWindow oldWindow) {
    // About a title bar's height: the old window's caption stays in view.
    constexpr int kCascade = 32;
    if (oldWindow == OldWindow::Keep) {
        return {.x = old.x + kCascade, .y = old.y + kCascade};
    }
    return old;
}

std::string handOverBytes(std::u16string_view text) {
    return toUtf8(text);
}

} // namespace keyloom
