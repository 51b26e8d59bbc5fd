// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/lesson_file.h"
#include "practice/ring.h"
#include "tests/practice/practice_fixture.h"

#ifndef _WIN32
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#endif

namespace keyloom::test {
namespace {

class LessonLoading : public PracticeFixture {};

TEST_F(LessonLoading, LaysOutBothRingsAndShowsSevenLines) {
    load(distinctLesson(100));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(controls.lblEgg[i].left, 50);
        EXPECT_EQ(controls.lblEgg[i].top, static_cast<Twips>(i) * 350);
        EXPECT_EQ(controls.lblEgg[i].width, 10650);
        ASSERT_TRUE(controls.lblType.exists(i));
        EXPECT_EQ(controls.lblType[i].top, static_cast<Twips>(i) * 350);
        EXPECT_EQ(controls.lblType[i].width, 10650);
        EXPECT_TRUE(controls.lblType[i].visible);
    }
    EXPECT_EQ(controls.lblEgg[0].caption.size(), 44U);
    EXPECT_EQ(controls.lblEgg[1].caption.size(), 44U);
    EXPECT_EQ(controls.lblEgg[2].caption.size(), 12U);
    for (int i = 3; i < 8; ++i) {
        EXPECT_TRUE(controls.lblEgg[i].caption.empty()) << "the placeholder is replaced";
    }
    EXPECT_EQ(controls.lblOK[0].left, -70);
    EXPECT_FALSE(controls.lblOK[0].visible);
    EXPECT_EQ(controls.Line1.x1, 49);
    EXPECT_EQ(controls.Line1.x2, 49);
    EXPECT_EQ(controls.Line1.y1, 50);
    EXPECT_EQ(controls.Line1.y2, 300);
    EXPECT_EQ(form.state().nextLine, 7);
}

TEST_F(LessonLoading, FileIsDecodedLineByLine) {
    loadBytes("AB\xB0\r\n\r\nCD");
    EXPECT_EQ(form.state().lessonText, u"AB\uFFFDCD");
}

TEST_F(LessonLoading, HugeLessonKeepsWhatCanBeShown) {
    std::string bytes;
    for (int i = 0; i < 40000; ++i) {
        bytes += "\xD6\xD0\r\n"; // 中, GBK
    }
    loadBytes(bytes);
    EXPECT_EQ(form.state().lessonText.size(), 32780U);
    EXPECT_EQ(form.state().lessonText.back(), u'中');
}

// The byte cap that keeps a huge lesson from being read whole must still
// let every character that can be shown through, in either encoding.
TEST_F(LessonLoading, ByteCapKeepsEveryShowableCharacterAndTheEncoding) {
    std::string withBom = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < kShowableLessonChars + 10; ++i) {
        withBom += "\xE4\xB8\xAD"; // 中, three bytes
    }
    loadBytes(withBom);
    EXPECT_EQ(form.state().lessonText, std::u16string(kShowableLessonChars, u'中'))
        << "a UTF-8 lesson with a byte-order mark";

    // Three bytes a character: the cap falls inside one, which is left out
    // instead of making the lesson GBK.
    restart();
    loadBytes(withBom.substr(3) + withBom.substr(3));
    EXPECT_EQ(form.state().lessonText, std::u16string(kShowableLessonChars, u'中'))
        << "a character cut by the cap";
}

TEST_F(LessonLoading, BareFileNameIsReadFromTheCurrentFolder) {
    dir.write(std::string_view("abc"));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.lessonFile().parent_path());
    const std::filesystem::path bare = dir.lessonFile().filename();
    std::u16string text;
    EXPECT_NO_THROW(text = readLesson(bare));
    std::filesystem::current_path(before);
    EXPECT_EQ(text, u"abc");
}

#ifndef _WIN32
TEST_F(LessonLoading, LessonFromAPipeIsReadOnce) {
    const std::filesystem::path fifo = dir.programDir() / "lesson.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer(
        [&fifo] { std::ofstream(fifo, std::ios::binary) << "\xE6\x98\xA5\xE5\xA4\xA9"; });
    form.Form_Load(fifo);
    writer.join();
    EXPECT_EQ(form.state().lessonText, u"春天");
}
#endif

TEST_F(LessonLoading, MissingOrUnreadableLessonNamesThePath) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path& programDir)> breakIt;
        std::string mentions;
    };
    const std::vector<Case> cases{
        {"no txt directory", [](const auto& d) { std::filesystem::remove_all(d / "txt"); }, "txt"},
        {"no lesson file", [](const auto&) {}, "文档.txt"},
        {"a directory in the file's place",
         [](const auto& d) { std::filesystem::create_directory(lessonPath(d)); }, "文档.txt"},
    };
    for (const Case& c : cases) {
        LessonFolder fresh;
        c.breakIt(fresh.programDir());
        MainControls controlsOfIt = frmMainControls();
        FrmMain f(controlsOfIt, measure);
        try {
            f.Form_Load(fresh.lessonFile());
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const LessonFileError& error) {
            EXPECT_NE(std::string(error.what()).find(c.mentions), std::string::npos) << c.what;
            EXPECT_NE(std::string(error.what()).find(fresh.programDir().string()),
                      std::string::npos)
                << c.what;
        }
    }
}

#ifndef _WIN32 // file modes and the root account are POSIX
TEST_F(LessonLoading, UnreadableFileIsReported) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads any file";
    }
    dir.write(std::string_view("abc"));
    ::chmod(dir.lessonFile().c_str(), 0);
    EXPECT_THROW(form.Form_Load(dir.lessonFile()), LessonFileError);
}
#endif

} // namespace
} // namespace keyloom::test
