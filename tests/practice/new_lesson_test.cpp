// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/lesson_file.h"
#include "practice/new_lesson.h"
#include "practice/ring.h"
#include "tests/practice/practice_fixture.h"

#include "text/text_decoding.h"

#include <fstream>
#include <optional>
#include <variant>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace keyloom::test {
namespace {

// What the window did with a request: started a new run of a text, or told
// the user something.
struct Started {
    std::u16string text;
    std::optional<std::size_t> refusedChars{}; // checked where the source reports it
    std::optional<std::u16string> textName{};  // the name the journal will give it
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
        refusedChars.reset();
        const PracticeState before = form.state();
        const std::u16string typed = controls.txtType.text;
        std::vector<std::u16string> names;
        request({.startNewRun =
                     [&](const std::u16string& text, const std::u16string& textName) {
                         started.push_back(text);
                         names.push_back(textName);
                     },
                 .tell = [&](const std::u16string& message) { told.push_back(message); }});

        if (const auto* start = std::get_if<Started>(&expected)) {
            EXPECT_TRUE(told.empty()) << what;
            ASSERT_EQ(started.size(), 1U) << what;
            EXPECT_EQ(started.front(), start->text) << what;
            if (start->refusedChars) {
                EXPECT_EQ(refusedChars, start->refusedChars) << what;
            }
            if (start->textName) {
                EXPECT_EQ(names.front(), *start->textName) << what;
            }
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

    // The command line and standard input: the checked text starts, a
    // refused one is told (on stderr, before any window).
    std::function<void(const NewLessonActions&)>
    commandLine(const std::function<LessonBytes()>& read, const std::filesystem::path& source) {
        return [this, read, source](const NewLessonActions& a) {
            try {
                const NewText text = acceptNewText(read(), source);
                refusedChars = text.refusedChars;
                a.startNewRun(text.text, textNameOf(source));
            } catch (const LessonFileError& error) {
                a.tell(decodeUtf8Strict(error.what(), false).value_or(u"?"));
            }
        };
    }

    std::optional<std::size_t> refusedChars;

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
    const auto onCommandLine = [this](const std::filesystem::path& path) {
        return commandLine([path] { return readLessonBytes(path); }, path);
    };
    const auto onStandardInput = [this](std::string_view bytes) {
        return commandLine(
            [bytes] {
                LessonBytes lesson;
                lesson.take(bytes);
                return lesson;
            },
            "-");
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
        {"clipboard text with LF line ends", clipboard(u"小河\n弯弯\n"),
         Started{u"小河弯弯", {}, u"剪贴板"}},
        {"clipboard text longer than can be shown", clipboard(std::u16string(40000, u'春')),
         Started{showable}},
        {"a file with a NUL byte in its first 64 KB",
         open(file("binary.txt", std::string("ab\0c", 4))), Told{u"不是文本"}},
        {"a NUL byte past the first 64 KB is text",
         open(file("late-binary.txt", std::string(65536, 'a') + std::string("\0", 1))),
         Started{std::u16string(65536, u'a').substr(0, kShowableLessonChars)}},
        {"an empty file chosen from the window", open(file("empty.txt", "")),
         Told{u"没有可以练习"}},
        {"a file of line ends only chosen from the window", open(file("breaks.txt", "\r\n\r\n")),
         Told{u"没有可以练习"}},
        {"an empty file on the command line", onCommandLine(file("empty-cli.txt", "")),
         Told{u"没有可以练习"}},
        {"a 100 MB file loads what can be shown",
         open(file("huge.txt", repeated(hanzi, 100U * 1024U * 1024U / 3U))),
         Started{showable, {}, u"huge.txt"}},
        {"a file that vanished after the dialog", open(gone), Told{u"找不到课文文件"}},
        {"a folder dropped instead of a file", open(folder), Told{u"目录"}},
        // Every source, every reason, one message each.
        {"nothing on standard input", onStandardInput(""), Told{u"没有可以练习"}},
        {"white space only on standard input", onStandardInput(" \t\r\n\xE3\x80\x80"),
         Told{u"没有可以练习"}},
        {"white space only on the clipboard", clipboard(u" \t\u3000\u00A0\n"),
         Told{u"没有可以练习"}},
        {"white space only in a file chosen from the window", open(file("blank.txt", " \t\r\n   ")),
         Told{u"没有可以练习"}},
        {"a NUL on the clipboard", clipboard(std::u16string(u"春\0天", 3)), Told{u"不是文本"}},
        {"a NUL on standard input", onStandardInput(std::string_view("ab\0c", 4)),
         Told{u"不是文本"}},
        {"a binary file on the command line",
         onCommandLine(file("binary-cli.txt", std::string("\x7F"
                                                          "ELF\x02\x01\0\0",
                                                          8))),
         Told{u"不是文本"}},
        {"undecodable bytes on the clipboard, as the clipboard decodes them",
         clipboard(u"\uFFFD\uFFFD\u0001春\uFFFD"), Told{u"不是文本"}},
        {"mostly control characters in a file chosen from the window",
         open(file("control.txt", "\x01\x02\x1B[0m\x7F")), Told{u"不是文本"}},
        {"mostly control characters on the command line",
         onCommandLine(file("control-cli.txt", "\x01\x02\x03"
                                               "ab")),
         Told{u"不是文本"}},
        {"a stray control character leaves a text a text", onStandardInput("春天\x07来了"),
         Started{u"春天\u0007来了", 0}},
        {"white space inside a text is dropped as line ends are",
         clipboard(u"春 天\t来\u3000了\r\n 。"), Started{u"春天来了。"}},
        {"white space inside a file on the command line is dropped",
         onCommandLine(file("spaced.txt", "\xE6\x98\xA5 \xE5\xA4\xA9\r\n\t")), Started{u"春天", 0}},
        {"ASCII letters and digits are counted as refused by the box",
         onStandardInput("2026年 Go！"), Started{u"2026年Go！", 6}},
#ifndef _WIN32
        {"/dev/zero on the command line", onCommandLine("/dev/zero"), Told{u"不是文本"}},
        {"a FIFO chosen from the window is refused, not waited on", open([this] {
             std::filesystem::path fifo = dir.programDir() / "fifo.txt";
             ::mkfifo(fifo.c_str(), 0600);
             return fifo;
         }()),
         Told{u"不是普通文件"}},
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
