// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "practice/ring.h"
#include "tests/practice/practice_fixture.h"

#include <fstream>
#include <optional>
#include <variant>

namespace keyloom::test {
namespace {

// What the window did with a request: started a new run of a text, or told
// the user something.
struct Started {
    std::u16string text;
};
struct Told {
    std::u16string mentions;
};
using Outcome = std::variant<Started, Told>;

std::string repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class NewLesson : public PracticeFixture {
  protected:
    // Runs `request` against a practice with some typing done, and checks its
    // outcome and that the run is just as it was.
    void expect(const char* what, const std::function<void(const NewLessonActions&)>& request,
                const Outcome& expected) {
        std::vector<std::u16string> started;
        std::vector<std::u16string> told;
        const PracticeState before = form.state();
        const std::u16string typed = controls.txtType.text;
        request({.startNewRun = [&](const std::u16string& text) { started.push_back(text); },
                 .tell = [&](const std::u16string& message) { told.push_back(message); }});

        if (const auto* start = std::get_if<Started>(&expected)) {
            EXPECT_TRUE(told.empty()) << what;
            ASSERT_EQ(started.size(), 1U) << what;
            EXPECT_EQ(started.front(), start->text) << what;
        } else {
            EXPECT_TRUE(started.empty()) << what << ": no new run";
            ASSERT_EQ(told.size(), 1U) << what;
            EXPECT_NE(told.front().find(std::get<Told>(expected).mentions), std::u16string::npos)
                << what;
        }
        // The run is kept: a request never touches it.
        const PracticeState& after = form.state();
        EXPECT_EQ(after.typedCount, before.typedCount) << what;
        EXPECT_EQ(after.rightCount, before.rightCount) << what;
        EXPECT_EQ(after.wrongCount, before.wrongCount) << what;
        EXPECT_EQ(after.lessonText, before.lessonText) << what;
        EXPECT_EQ(controls.txtType.text, typed) << what;
    }

    [[nodiscard]] std::filesystem::path file(const std::string& name,
                                             std::string_view bytes) const {
        std::filesystem::path path = dir.programDir() / name;
        writeFile(path, bytes);
        return path;
    }
};

TEST_F(NewLesson, EveryRequestHasItsOutcomeAndTheRunIsKept) {
    load(u"小河弯弯流过村口的老");
    typeRight(3);
    typeWrong(1);

    const std::string hanzi = "\xE6\x98\xA5"; // 春
    const std::u16string showable(kShowableLessonChars, u'春');
    const auto clipboard = [](const std::optional<std::u16string>& text) {
        return [text](const NewLessonActions& a) { loadClipboardText(text, a); };
    };
    const auto open = [](const std::filesystem::path& path) {
        return [path](const NewLessonActions& a) { openLessonFile(path, a); };
    };
    const auto commandLine = [](const std::filesystem::path& path) {
        return [path](const NewLessonActions& a) { a.startNewRun(readLesson(path)); };
    };
    const std::filesystem::path gone = dir.programDir() / "gone.txt";
    writeFile(gone, "abc");
    std::filesystem::remove(gone); // chosen in the dialog, removed before the read
    const std::filesystem::path folder = dir.programDir() / "folder.txt";
    std::filesystem::create_directory(folder);

    const struct {
        const char* what;
        std::function<void(const NewLessonActions&)> request;
        Outcome outcome;
    } rows[] = {
        {"a clipboard without text", clipboard(std::nullopt), Told{u"剪贴板里没有文字"}},
        {"an empty clipboard text", clipboard(u""), Told{u"没有可以练习"}},
        {"clipboard text of line ends only", clipboard(u"\r\n\n"), Told{u"没有可以练习"}},
        {"clipboard text with CR LF line ends", clipboard(u"小河\r\n弯弯\r\n\r\n流"),
         Started{u"小河弯弯流"}},
        {"clipboard text with LF line ends", clipboard(u"小河\n弯弯\n"), Started{u"小河弯弯"}},
        {"clipboard text longer than can be shown", clipboard(std::u16string(40000, u'春')),
         Started{showable}},
        {"a file with a NUL byte in its first 64 KB",
         open(file("binary.txt", std::string("ab\0c", 4))), Told{u"不是文本文件"}},
        {"a NUL byte past the first 64 KB is text",
         open(file("late-binary.txt", std::string(65536, 'a') + std::string("\0", 1))),
         Started{std::u16string(65536, u'a').substr(0, kShowableLessonChars)}},
        {"an empty file chosen from the window", open(file("empty.txt", "")),
         Told{u"没有可以练习"}},
        {"a file of line ends only chosen from the window", open(file("breaks.txt", "\r\n\r\n")),
         Told{u"没有可以练习"}},
        {"an empty file from the command line starts an empty practice",
         commandLine(file("empty-cli.txt", "")), Started{u""}},
        {"a 100 MB file loads what can be shown",
         open(file("huge.txt", repeated(hanzi, 100U * 1024U * 1024U / 3U))), Started{showable}},
        {"a file that vanished after the dialog", open(gone), Told{u"找不到课文文件"}},
        {"a folder dropped instead of a file", open(folder), Told{u"目录"}},
#ifndef _WIN32
        {"a file name that is not UTF-8 keeps its bytes",
         open(file("\xD6\xD0\xFF.txt", "\xE5\xB0\x8F\xE6\xB2\xB3")), Started{u"小河"}},
#endif
        {"F3 starts the same text again",
         [this](const NewLessonActions& a) { restartLesson(form.state(), a); },
         Started{u"小河弯弯流过村口的老"}},
    };
    for (const auto& row : rows) {
        expect(row.what, row.request, row.outcome);
    }
}

TEST(HandOver, TheNewRunReadsBackTheSameText) {
    LessonFolder dir;
    using namespace std::string_literals;
    const std::u16string text = u"小河不觉晓, a\0b 😀"s;
    dir.write(std::string_view(handOverBytes(text)));
    EXPECT_EQ(readLesson(dir.lessonFile()), text);
}

} // namespace
} // namespace keyloom::test
