// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 window's ways to a new run, with a starter that records what it
// is given: F3, F4 and a hand-built WM_DROPFILES hand over the right text,
// and the keys reach no practice handler.
#include "forms/frm_main_design.h"
#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "tests/windows/windows_scratch.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/main_window.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <shlobj.h>
#include <vector>

namespace keyloom {
namespace {

constexpr char kLesson[] = "小河弯弯流过村口的老";

class Win32NewRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder_.path() / "txt");
        std::ofstream(lessonPath(folder_.path()), std::ios::binary) << kLesson;
        form_.Form_Load(lessonPath(folder_.path()));
        window_ = std::make_unique<MainWindow>(
            form_, controls_, frmMainDesign(), [](HWND, const std::exception&) {},
            MainWindow::AboutBoxOpener{},
            [this](HWND from, const std::u16string& text, const std::u16string& /*textName*/,
                   OldWindow old) {
                EXPECT_EQ(from, window_->hwnd());
                EXPECT_EQ(old, OldWindow::Replace);
                started_.push_back(text);
            });
        window_->create(SW_SHOW);
        SetActiveWindow(window_->hwnd());
        SetFocus(window_->typingBox());
    }

    // Runs what the window posted to itself.
    static void pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    [[nodiscard]] bool boxReadOnly() const {
        return (GetWindowLongPtrW(window_->typingBox(), GWL_STYLE) & ES_READONLY) != 0;
    }

    test::ScratchFolder folder_;
    MainControls controls_ = frmMainControls();
    GdiTextMeasure measure_;
    FrmMain form_{controls_, measure_};
    std::unique_ptr<MainWindow> window_;
    std::vector<std::u16string> started_;
};

void setClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

TEST_F(Win32NewRunTest, F3AndF4StartNewRunsAndNeverType) {
    SendMessageW(window_->typingBox(), WM_KEYDOWN, VK_PROCESSKEY, 1);
    SendMessageW(window_->typingBox(), WM_IME_CHAR, L'春', 1);
    ASSERT_EQ(form_.state().typedCount, 1);

    SendMessageW(window_->typingBox(), WM_KEYDOWN, VK_F3, 1);
    pump();
    setClipboard(window_->hwnd(), L"树下孩子们\r\n在岸边玩耍\r\n");
    SendMessageW(window_->typingBox(), WM_KEYDOWN, VK_F4, 1);
    pump();

    ASSERT_EQ(started_.size(), 2U);
    EXPECT_EQ(started_[0], form_.state().lessonText);
    EXPECT_EQ(started_[1], u"树下孩子们在岸边玩耍");
    // The keys reached no handler: the box is not locked as key codes 114
    // and 115 would lock it, and the run is where it was.
    EXPECT_FALSE(boxReadOnly());
    EXPECT_EQ(form_.state().typedCount, 1);
}

TEST_F(Win32NewRunTest, AHandBuiltDropOpensItsFile) {
    const std::filesystem::path file = folder_.path() / L"诗.txt";
    std::ofstream(file, std::ios::binary)
        << "\xCA\xF7\xCF\xC2\xBA\xA2\xD7\xD3\xC3\xC7"; // 树下孩子们, GBK
    const std::wstring name = file.wstring();
    const std::size_t bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, bytes);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), name.c_str(),
                (name.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(window_->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);

    ASSERT_EQ(started_.size(), 1U);
    EXPECT_EQ(started_[0], u"树下孩子们");
}

} // namespace
} // namespace keyloom
