// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Win32 binding's message handling, driven with SendMessage against the
// real practice handlers, where a real input method cannot reach.
#include "forms/frm_main_design.h"
#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "tests/support/extra_label_design.h"
#include "tests/support/typing_conformance.h"
#include "tests/windows/windows_scratch.h"
#include "ui/code_hints.h"
#include "ui/pixels.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/main_window.h"

#include <array>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <imm.h>
#include <memory>
#include <thread>
#include <vector>

namespace keyloom {

namespace {

constexpr char kLesson[] = "我们人民，中国你好。她在家里读书写字。";

class Win32BindingTest : public ::testing::Test {
  protected:
    [[nodiscard]] virtual const WindowDescription& design() const { return frmMainDesign(); }

    void SetUp() override {
        controls_ = frmMainControls(design());
        std::filesystem::create_directory(folder_.path() / "txt");
        std::ofstream(lessonPath(folder_.path()), std::ios::binary) << lesson_;
        form_.Form_Load(lessonPath(folder_.path()));
        window_ = std::make_unique<MainWindow>(
            form_, controls_, design(),
            [this](HWND, const std::exception& error) { fatal_ = error.what(); },
            [this](HWND) { ++aboutBoxes_; });
        window_->setReportOpener([this](HWND) {
            ++reports_;
            keystrokesAtReport_ = form_.record().keystrokes();
        });
        window_->create(SW_SHOW);
        SetActiveWindow(window_->hwnd());
        SetFocus(window_->typingBox());
    }

    [[nodiscard]] HWND box() const { return window_->typingBox(); }
    void keyDown(WPARAM key) const { SendMessageW(box(), WM_KEYDOWN, key, 1); }
    void character(wchar_t ch) const { SendMessageW(box(), WM_CHAR, ch, 1); }
    void imeChar(wchar_t ch) const { SendMessageW(box(), WM_IME_CHAR, ch, 1); }
    // A character through the input method as Windows delivers it: its
    // keystrokes as VK_PROCESSKEY, then the result.
    void typed(wchar_t ch) const {
        keyDown(VK_PROCESSKEY);
        imeChar(ch);
    }
    [[nodiscard]] std::wstring boxText() const {
        std::wstring text(256, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(box(), text.data(), 256)));
        return text;
    }
    [[nodiscard]] bool boxReadOnly() const {
        return (GetWindowLongPtrW(box(), GWL_STYLE) & ES_READONLY) != 0;
    }
    // A visible item of the window's scene, or nullptr.
    [[nodiscard]] const SceneItem* shown(std::string_view name, int index = -1) const {
        const SceneItem* item = window_->scene().find(name, index);
        return item != nullptr && item->visible ? item : nullptr;
    }
    [[nodiscard]] const PracticeState& state() const { return form_.state(); }

    std::string lesson_ = kLesson;
    test::ScratchFolder folder_;
    MainControls controls_ = frmMainControls();
    GdiTextMeasure measure_;
    FrmMain form_{controls_, measure_};
    std::unique_ptr<MainWindow> window_;
    std::string fatal_;
    int aboutBoxes_ = 0;
    int reports_ = 0;
    std::int64_t keystrokesAtReport_ = -1;
};

// The conformance table as Windows delivers it: the characters of a key as
// WM_CHAR after its WM_KEYDOWN, a composition between WM_IME_STARTCOMPOSITION
// and WM_IME_ENDCOMPOSITION, a commit as WM_IME_CHAR (a GCS_RESULTSTR needs a
// real input-method context: the end-to-end test types through one). A
// character beyond the BMP comes as two messages, one per surrogate; a key's
// modifiers are in the keyboard state while its messages arrive.
class Win32ConformanceTest : public Win32BindingTest,
                             public ::testing::WithParamInterface<test::Scenario> {
  protected:
    Win32ConformanceTest() { lesson_ = test::conformanceLesson(); }

    void SetUp() override {
        Win32BindingTest::SetUp();
        for (const ProgramCommand command : test::allCommands()) {
            window_->setCommandAction(command,
                                      [this, command](HWND) { commands_.push_back(command); });
        }
    }

    static void holdModifiers(Counter shift) {
        constexpr BYTE kDown = 0x80;
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_SHIFT] = (shift & kShiftMask) != 0 ? kDown : 0;
        keys[VK_CONTROL] = (shift & kCtrlMask) != 0 ? kDown : 0;
        keys[VK_MENU] = (shift & kAltMask) != 0 ? kDown : 0;
        SetKeyboardState(keys.data());
    }

    void play(const test::Step& step) {
        switch (step.kind) {
        case test::StepKind::Key:
            holdModifiers(step.shift);
            keyDown(static_cast<WPARAM>(step.keyCode));
            for (const char16_t unit : step.text) {
                character(static_cast<wchar_t>(unit));
            }
            holdModifiers(0);
            break;
        case test::StepKind::Preedit:
            if (step.text.empty()) {
                SendMessageW(box(), WM_IME_ENDCOMPOSITION, 0, 0);
            } else {
                if (!composing_) {
                    SendMessageW(box(), WM_IME_STARTCOMPOSITION, 0, 0);
                }
                SendMessageW(box(), WM_IME_COMPOSITION, 0, GCS_COMPSTR);
            }
            composing_ = !step.text.empty();
            break;
        case test::StepKind::Commit:
            for (const char16_t unit : step.text) {
                imeChar(static_cast<wchar_t>(unit));
            }
            if (composing_) {
                SendMessageW(box(), WM_IME_ENDCOMPOSITION, 0, 0);
            }
            composing_ = false;
            break;
        case test::StepKind::FocusOut: SetFocus(nullptr); break;
        case test::StepKind::FocusIn: SetFocus(box()); break;
        }
    }

    bool composing_ = false;
    std::vector<ProgramCommand> commands_;
};

TEST_P(Win32ConformanceTest, Win32Box) {
    if (GetParam().preeditTextMatters) {
        GTEST_SKIP() << "needs a real input-method context";
    }
    for (const test::Step& step : GetParam().steps) {
        play(step);
    }
    const test::Outcome actual =
        test::outcomeOf(controls_, state(), window_->typingRules()->composing(), commands_);
    EXPECT_EQ(test::differences(GetParam().expected, actual), "");
    EXPECT_EQ(boxText(), std::wstring(actual.boxText.begin(), actual.boxText.end()));
}

INSTANTIATE_TEST_SUITE_P(Table, Win32ConformanceTest, ::testing::ValuesIn(test::typingScenarios()),
                         [](const ::testing::TestParamInfo<test::Scenario>& row) {
                             return "row" + std::to_string(row.index);
                         });

TEST_F(Win32BindingTest, WindowIsTheDesignsClientAreaAtItsDpiWithTheLessonShown) {
    RECT client{};
    GetClientRect(window_->hwnd(), &client);
    const int dpi = window_->dpi();
    EXPECT_EQ(client.right, toPixels(11145, dpi));
    EXPECT_EQ(client.bottom, toPixels(6750, dpi));
    const auto style = GetWindowLongPtrW(window_->hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    wchar_t caption[64]{};
    GetWindowTextW(window_->hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Keyloom 1.0");
    ASSERT_NE(shown("lblEgg", 0), nullptr);
    EXPECT_EQ(shown("lblEgg", 0)->caption, u"我们人民，中国你好。她在家里读书写字。");
    // The typing box lies below the client area.
    RECT boxRect{};
    GetWindowRect(box(), &boxRect);
    MapWindowPoints(nullptr, window_->hwnd(), reinterpret_cast<POINT*>(&boxRect), 2);
    EXPECT_GE(boxRect.top, client.bottom);
}

TEST_F(Win32BindingTest, ImeCharactersAreScoredOneAtATimeAndMarkedGreenOrRed) {
    typed(L'我');
    typed(L'们');
    typed(L'人');
    typed(L'敏'); // a wrong candidate
    EXPECT_EQ(state().typedCount, 4);
    EXPECT_EQ(state().rightCount, 3);
    EXPECT_EQ(state().wrongCount, 1);
    EXPECT_EQ(controls_.lblType[0].caption, u"我们人敏");
    EXPECT_EQ(boxText(), L"我们人敏");
    ASSERT_NE(shown("lblOK", 3), nullptr);
    EXPECT_EQ(shown("lblOK", 3)->back, (Rgb{0, 255, 0}));
    ASSERT_NE(shown("lblOK", 4), nullptr);
    EXPECT_EQ(shown("lblOK", 4)->back, (Rgb{255, 0, 0}));
    EXPECT_EQ(controls_.lblTrue.caption, u"对：3");
}

TEST_F(Win32BindingTest, ImeResultUnlocksTheBoxWithoutAProcessKey) {
    keyDown('A'); // a letter locks the box
    EXPECT_TRUE(boxReadOnly());
    character(L'a');
    EXPECT_EQ(boxText(), L"");
    // Wine's XIM path: the result arrives with no VK_PROCESSKEY before it.
    imeChar(L'我');
    EXPECT_FALSE(boxReadOnly());
    EXPECT_EQ(boxText(), L"我");
    EXPECT_EQ(state().rightCount, 1);
}

TEST_F(Win32BindingTest, PunctuationKeysTypeAndBackspaceTakesOneBack) {
    typed(L'我');
    keyDown(VK_OEM_COMMA);
    character(L'，');
    EXPECT_EQ(state().typedCount, 2);
    EXPECT_EQ(state().wrongCount, 1); // the lesson has 们 there
    keyDown(VK_BACK);
    character(L'\b');
    EXPECT_EQ(state().typedCount, 1);
    EXPECT_EQ(state().wrongCount, 0);
    EXPECT_EQ(boxText(), L"我");
    EXPECT_EQ(shown("lblOK", 2), nullptr);
}

TEST_F(Win32BindingTest, NothingButTypingAtTheEndChangesTheBox) {
    typed(L'我');
    typed(L'们');
    // The caret moved to the start by any means: new text still goes at the end.
    keyDown(VK_HOME);
    SendMessageW(box(), EM_SETSEL, 0, 0);
    typed(L'人');
    EXPECT_EQ(boxText(), L"我们人");
    EXPECT_EQ(state().rightCount, 3);
    for (const UINT message : {WM_CUT, WM_CLEAR, WM_UNDO, WM_PASTE}) {
        SendMessageW(box(), message, 0, 0);
    }
    SendMessageW(box(), EM_UNDO, 0, 0);
    character(0x16); // Ctrl+V as a character
    character(0x01); // Ctrl+A
    EXPECT_EQ(boxText(), L"我们人");
    EXPECT_EQ(state().typedCount, 3);
}

TEST_F(Win32BindingTest, ACommitWhileTheBoxHasNoFocusIsDropped) {
    SetFocus(nullptr);
    imeChar(L'我');
    EXPECT_EQ(boxText(), L"");
    EXPECT_EQ(state().typedCount, 0);
}

TEST_F(Win32BindingTest, TimersTickTheClockAndBlinkTheCaret) {
    SendMessageW(window_->hwnd(), WM_TIMER, MainWindow::kTimer1, 0);
    EXPECT_EQ(controls_.lblTime.caption, u"00:01");
    EXPECT_NE(shown("Line1"), nullptr);
    SendMessageW(window_->hwnd(), WM_TIMER, MainWindow::kTimer2, 0);
    EXPECT_EQ(shown("Line1"), nullptr);
}

TEST_F(Win32BindingTest, F1OpensTheAboutBoxAfterTheKeyDownHandler) {
    keyDown(VK_F1);
    EXPECT_EQ(aboutBoxes_, 1);
    EXPECT_TRUE(boxReadOnly()); // 112 locks the box
}

// Every key-down the box receives counts, VK_PROCESSKEY included, and the
// composition messages after them add nothing: the count is exact.
TEST_F(Win32BindingTest, KeystrokesAreTheKeyDownsTheBoxReceives) {
    for (const wchar_t ch : std::wstring(L"我们")) {
        for (int key = 0; key < 3; ++key) {
            keyDown(VK_PROCESSKEY);
            SendMessageW(box(), WM_IME_COMPOSITION, 0, GCS_COMPSTR);
        }
        imeChar(ch);
    }
    keyDown(VK_BACK);
    keyDown(VK_SHIFT); // a modifier alone
    keyDown(VK_OEM_COMMA);
    keyDown(VK_F2); // the report's key, after the key-down handler
    EXPECT_EQ(reports_, 1);
    EXPECT_EQ(keystrokesAtReport_, 8);
    EXPECT_FALSE(form_.record().keystrokesEstimated());
    EXPECT_EQ(form_.record().corrections(), 1);
    EXPECT_EQ(form_.record().characters().size(), 1U);
}

// Wine's XIM path sends composition messages without key-downs: each counts
// once, and the count is an estimate.
TEST_F(Win32BindingTest, CompositionsWithoutKeyDownsAreAnEstimate) {
    SendMessageW(box(), WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageW(box(), WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    imeChar(L'我');
    EXPECT_EQ(form_.record().keystrokes(), 1);
    EXPECT_TRUE(form_.record().keystrokesEstimated());
}

TEST_F(Win32BindingTest, AnErrorInAHandlerIsReportedAndEndsTheWindowWithStatusOne) {
    typed(L'我');
    form_.state().rightCount = -32768; // taking one back now overflows
    keyDown(VK_BACK);
    EXPECT_FALSE(fatal_.empty());
    EXPECT_EQ(window_->exitStatus(), 1);
    EXPECT_EQ(window_->hwnd(), nullptr);
    imeChar(L'们'); // nothing reaches the handlers any more
    EXPECT_EQ(state().typedCount, 1);
}

// F6 goes through the tables (ours are missing here, and refused); the hint
// of a table of one's own shows in the strip between the panes at the next
// character's column, right of the table's name, and follows each commit and
// Backspace.
TEST_F(Win32BindingTest, F6ShowsTheCodeHintThatFollowsTheCaret) {
    const std::filesystem::path own = folder_.path() / "codes";
    std::filesystem::create_directory(own);
    std::ofstream(own / "mine.txt", std::ios::binary)
        << "我们\ttrwu\n人民\twwna\n人\tw\n人\twwww\n民\tn\n";
    CodeHints hints([&own] { return tableFiles(own / "ours", own); }, state().lessonText);
    window_->setCodeHints(&hints);
    EXPECT_EQ(shown("lblHint"), nullptr);
    EXPECT_EQ(shown("lblHintTable"), nullptr);
    const auto tableName = [&] {
        const SceneItem* table = shown("lblHintTable");
        return table == nullptr ? std::u16string() : table->caption;
    };
    const auto hint = [&]() -> const SceneItem* {
        while (hints.choiceName() == "mine" && hints.table() == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        keyDown(VK_SHIFT); // any key-down shows what is ready
        return shown("lblHint");
    };
    for (int i = 0; i < 3; ++i) { // 五笔86, 拼音, mine
        keyDown(VK_F6);
    }
    const SceneItem* first = hint();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->caption, u"我们 trwu");
    EXPECT_EQ(tableName(), u"mine");
    EXPECT_GT(first->box.left, shown("lblHintTable")->box.right);
    const PixelRect upper = shown("picEgg")->box;
    const PixelRect lower = shown("picType")->box;
    EXPECT_GE(first->box.top, upper.bottom);
    EXPECT_LE(first->box.bottom, lower.top);
    const int firstLeft = first->box.left;

    typed(L'我');
    typed(L'们');
    const SceneItem* next = hint();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->caption, u"人民 wwna");
    EXPECT_GT(next->box.left, firstLeft);
    keyDown(VK_BACK); // before 们: no entry starts there
    EXPECT_EQ(hint(), nullptr);
    EXPECT_EQ(tableName(), u"mine");
    keyDown(VK_F6); // 无提示
    EXPECT_EQ(hint(), nullptr);
    EXPECT_EQ(tableName(), u"无提示");
}

// A course's labels stand at the strip's right end and the hint before them,
// wherever the caret is.
TEST_F(Win32BindingTest, ACoursesLabelsAndTheHintNeverMeet) {
    const std::filesystem::path own = folder_.path() / "codes";
    std::filesystem::create_directory(own);
    std::ofstream(own / "mine.txt", std::ios::binary)
        << "我们\ttrwu\n人民\twwna\n中国\tkhlg\n你好\twqvb\n";
    CodeHints hints([&own] { return tableFiles(own / "ours", own); }, state().lessonText);
    ASSERT_TRUE(hints.choose("mine"));
    while (hints.table() == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    controls_.otherLabels.at("lblCourse").caption = u"常用字前500 第3/10段 速度60 第1次";
    controls_.otherLabels.at("lblLastAttempt").caption =
        u"未达标 速度62字/分 击键3.41 码长3.31 回改2 正确率985‰ 字数131 错字2 用时2:07";
    window_->setCodeHints(&hints);
    int hinted = 0;
    for (const wchar_t ch : std::wstring(L"我们人民，中国你好。她在家里读书写字")) {
        typed(ch);
        // The hint shows where an entry starts at the caret; the others always.
        std::vector<const SceneItem*> labels;
        for (const std::string_view name :
             {"lblHintTable", "lblCourse", "lblLastAttempt", "lblHint"}) {
            const SceneItem* label = shown(name);
            ASSERT_TRUE(label != nullptr || name == "lblHint") << name;
            if (label != nullptr) {
                EXPECT_LE(label->box.right, shown("picType")->box.right) << name;
                labels.push_back(label);
            }
        }
        hinted += labels.size() == 4 ? 1 : 0;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                EXPECT_TRUE(labels[i]->box.intersected(labels[j]->box).empty())
                    << labels[i]->name << " meets " << labels[j]->name << " after "
                    << static_cast<int>(ch);
            }
        }
    }
    EXPECT_GT(hinted, 0);
}

class Win32ExtraLabelTest : public Win32BindingTest {
  protected:
    [[nodiscard]] const WindowDescription& design() const override {
        return test::frmMainWithExtraLabel();
    }
};

// A label no handler names, added to the design, is drawn as designed.
TEST_F(Win32ExtraLabelTest, ALabelAddedToTheDesignIsDrawn) {
    const SceneItem* extra = shown(test::kExtraLabel);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->caption, test::kExtraCaption);
    RedrawWindow(window_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = GetDC(window_->hwnd());
    int red = 0;
    for (int y = extra->box.top; y < extra->box.bottom; ++y) {
        for (int x = extra->box.left; x < extra->box.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            red += GetRValue(pixel) > 160 && GetGValue(pixel) < 96 && GetBValue(pixel) < 96 ? 1 : 0;
        }
    }
    ReleaseDC(window_->hwnd(), dc);
    EXPECT_GT(red, 20) << "its red caption";
}

} // namespace
} // namespace keyloom
