#include "practice/lesson_file.h"
#include "tests/practice/practice_fixture.h"

#ifndef _WIN32
#include <sys/stat.h>
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
