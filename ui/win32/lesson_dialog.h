// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/lesson_choices.h"
#include "ui/win32/gdi_fonts.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace keyloom {

// Starts the chosen course in a new run in the main window's place.
using CourseStarter = std::function<void(const CourseOptions& options)>;

// The lesson window, a modal Win32 dialog built from its design: the texts,
// the segment length, 乱序, the segment to start from and the target;
// "开始" (Enter) starts the course and closes the window, "关闭" (Esc) only
// closes it. A choice that cannot start says why in the window, which stays.
class LessonDialog {
  public:
    LessonDialog(LessonChoices choices, CourseStarter start);

    // Runs the dialog until it is closed.
    void run(HWND owner);

  private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR failed(const std::exception& error) const;
    void build();
    [[nodiscard]] LessonChoices::Chosen chosen() const;
    void fillSegments();
    void cmdStart_Click();
    void tell(const std::u16string& problem) const;

    LessonChoices choices_;
    CourseStarter start_;
    HWND dialog_ = nullptr;
    HWND texts_ = nullptr;
    HWND length_ = nullptr;
    HWND shuffle_ = nullptr;
    HWND segment_ = nullptr;
    HWND accuracy_ = nullptr;
    HWND speed_ = nullptr;
    HWND problems_ = nullptr;
    std::unique_ptr<GdiFonts> fonts_;
};

// Opens the lesson window modal over `owner` and returns when it closes.
void showLessonDialog(LessonChoices choices, const CourseStarter& start, HWND owner);

} // namespace keyloom
