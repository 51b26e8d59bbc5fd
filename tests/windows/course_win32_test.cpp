// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The course in the Win32 window, with a starter that records what it is
// given: F5's lesson window starts the segment chosen, and a segment typed to
// its end is judged and hands the next (or the same) over with its options.
#include "course/course_options.h"
#include "forms/frm_lesson_design.h"
#include "forms/frm_main_design.h"
#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "tests/windows/windows_scratch.h"
#include "ui/win32/course_session.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/main_window.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace keyloom {
namespace {

// Twelve entries: at length 10, a segment of ten and one of two.
constexpr char kSet[] = "天\n地\n人\n你\n我\n他\n山\n水\n火\n木\n金\n土\n";
constexpr char16_t kFirstSegment[] = u"天地人你我他山水火木";
constexpr char16_t kSecondSegment[] = u"金土";

struct Started {
    std::u16string text;
    std::vector<std::wstring> arguments;
};

// The value given after `option`, or "" when it is not given.
std::wstring valueOf(const std::vector<std::wstring>& arguments, const std::wstring& option) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == option) {
            return arguments[i + 1];
        }
    }
    return {};
}

class Win32CourseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder_.path() / "txt");
        std::filesystem::create_directory(places_.sets);
        std::ofstream(lessonPath(folder_.path()), std::ios::binary) << "小河弯弯流过村口";
        std::ofstream(places_.sets / std::filesystem::path(u8"常用字前500.txt"), std::ios::binary)
            << kSet;
    }

    // A fresh run in a window of its own, in `course` or outside one.
    void open(std::optional<CourseOptions> course) {
        session_.reset();
        window_.reset();
        drainMessages(); // the closed window's quit among them
        started_.clear();
        controls_ = frmMainControls();
        form_ = std::make_unique<FrmMain>(controls_, measure_);
        // A second a reading: time enough for any speed the figures ask.
        form_->record().setClock([this] { return std::chrono::seconds(++seconds_); });
        std::optional<SegmentRun> run;
        if (course) {
            run.emplace(*course, places_);
            form_->Form_Load([&run] { return run->text(); });
        } else {
            form_->Form_Load(lessonPath(folder_.path()));
        }
        window_ = std::make_unique<MainWindow>(
            *form_, controls_, frmMainDesign(), [](HWND, const std::exception&) {},
            MainWindow::AboutBoxOpener{},
            [](HWND, const std::u16string&, const std::u16string&, OldWindow) {
                ADD_FAILURE() << "not a segment";
            });
        session_ = std::make_unique<CourseSession>(
            *window_, *form_, controls_, [this] { return places_; }, std::move(run),
            [this](HWND from, const std::u16string& text,
                   const std::vector<std::wstring>& arguments) {
                EXPECT_EQ(from, window_->hwnd());
                started_.push_back({text, arguments});
            });
        window_->create(SW_SHOW);
        SetActiveWindow(window_->hwnd());
        SetFocus(window_->typingBox());
    }

    void type(std::u16string_view text) const {
        for (const char16_t unit : text) {
            SendMessageW(window_->typingBox(), WM_KEYDOWN, VK_PROCESSKEY, 1);
            SendMessageW(window_->typingBox(), WM_IME_CHAR, static_cast<WPARAM>(unit), 1);
        }
    }

    void keyDown(WPARAM key) const { SendMessageW(window_->typingBox(), WM_KEYDOWN, key, 1); }

    static void drainMessages() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // Runs what the window posted or timed until a run is started; the bound
    // only keeps a fault from hanging the test.
    void pumpUntilStarted() const {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (started_.empty() && std::chrono::steady_clock::now() < giveUp) {
            drainMessages();
            Sleep(10);
        }
    }

    test::ScratchFolder folder_;
    LibraryPlaces places_{.sets = folder_.path() / "lessons",
                          .userTexts = folder_.path() / "txt",
                          .bundledLesson = lessonPath(folder_.path())};
    MainControls controls_ = frmMainControls();
    GdiTextMeasure measure_;
    std::unique_ptr<FrmMain> form_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<CourseSession> session_;
    std::vector<Started> started_;
    long long seconds_ = 0;
};

// The lesson window is driven from a timer that fires in its modal loop.
struct LessonWindowScript {
    int segments = 0; // offered at length 10
    bool found = false;
};
LessonWindowScript script;

HWND choice(HWND dialog, std::string_view name) {
    return GetDlgItem(dialog, kFirstChoiceId + findElement(frmLessonDesign(), name)->tabIndex);
}

void select(HWND dialog, std::string_view name, int index, WORD notification) {
    const HWND box = choice(dialog, name);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), notification),
                 reinterpret_cast<LPARAM>(box));
}

// The set, length 10, the second segment, 开始 by Enter in the list of texts.
void CALLBACK chooseSecondSegment(HWND /*window*/, UINT /*message*/, UINT_PTR timer,
                                  DWORD /*time*/) {
    const std::u16string caption = lessonWindowCaption();
    const HWND dialog =
        FindWindowW(L"#32770", std::wstring(caption.begin(), caption.end()).c_str());
    if (dialog == nullptr) {
        return; // not up yet
    }
    KillTimer(nullptr, timer);
    script.found = true;
    const HWND texts = choice(dialog, "lstTexts");
    SendMessageW(texts, LB_SETCURSEL,
                 SendMessageW(texts, LB_FINDSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"常用字前500")),
                 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(texts), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(texts));
    select(dialog, "cboLength", 0, CBN_SELCHANGE);
    script.segments =
        static_cast<int>(SendMessageW(choice(dialog, "cboSegment"), CB_GETCOUNT, 0, 0));
    select(dialog, "cboSegment", 1, CBN_SELCHANGE);
    // To the list itself: with another program in front this thread has no
    // focus to post to.
    PostMessageW(texts, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(Win32CourseTest, F5ChoosesASegmentAndEnterStartsItAsANewRun) {
    open(std::nullopt);
    script = {};
    SetTimer(nullptr, 0, 50, &chooseSecondSegment);
    keyDown(VK_F5); // returns once the lesson window has closed
    ASSERT_TRUE(script.found);
    EXPECT_EQ(script.segments, 2);
    ASSERT_EQ(started_.size(), 1U);
    EXPECT_EQ(started_[0].text, kSecondSegment);
    const std::vector<std::wstring> expected{L"--set",     L"常用字前500", L"--length", L"10",
                                             L"--segment", L"2",           L"--target", L"1000"};
    EXPECT_EQ(started_[0].arguments, expected);
}

// What typing the first segment to its end, or a key, hands over.
struct SegmentCase {
    const char* name;
    std::u16string_view typed;
    WPARAM key; // after the typing, 0 for none
    std::wstring segment;
    std::wstring attempt; // "" for the first
    std::wstring verdict; // how the last attempt ended, "" for none
};

TEST_F(Win32CourseTest, ASegmentHandsOverTheNextOrTheSame) {
    const std::vector<SegmentCase> cases{
        {"all right moves on", kFirstSegment, 0, L"2", L"", L"达标"},
        {"one wrong comes again", u"天地人你我他山水火土", 0, L"1", L"2", L"未达标"},
        {"F3 starts it again by hand", u"天地", VK_F3, L"1", L"2", L""},
        {"F3 after the judgement waits for it", kFirstSegment, VK_F3, L"2", L"", L"达标"},
    };
    for (const SegmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        open(CourseOptions{.set = u"常用字前500", .length = 10, .target = {.accuracy = 1000}});
        EXPECT_NE(controls_.otherLabels.at("lblCourse").caption.find(u"第1/2段"),
                  std::u16string::npos);
        type(c.typed);
        if (c.key != 0) {
            keyDown(c.key);
        }
        pumpUntilStarted();
        ASSERT_EQ(started_.size(), 1U);
        EXPECT_EQ(started_[0].text, c.segment == L"1" ? kFirstSegment : kSecondSegment);
        EXPECT_EQ(valueOf(started_[0].arguments, L"--segment"), c.segment);
        EXPECT_EQ(valueOf(started_[0].arguments, L"--attempt"), c.attempt);
        EXPECT_TRUE(valueOf(started_[0].arguments, L"--previous").starts_with(c.verdict));
        if (!c.verdict.empty()) {
            EXPECT_EQ(
                controls_.otherLabels.at("lblLastAttempt").caption.substr(0, c.verdict.size()),
                std::u16string(c.verdict.begin(), c.verdict.end()));
        }
    }
}

} // namespace
} // namespace keyloom
