// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/frm_main_design.h"
#include "practice/frm_main.h"
#include "tests/support/fixed_measure.h"
#include "tests/support/lesson_folder.h"
#include "tests/support/rules_box.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace keyloom::test {

// A lesson of `length` distinct full-width characters, so every position
// can be told apart.
std::u16string distinctLesson(std::size_t length);

// The main window's controls and handlers after loading `lesson` (UTF-8 file).
class PracticeFixture : public ::testing::Test {
  protected:
    void load(const std::u16string& lesson);
    // Starts again with the controls as designed and a fresh practice state.
    void restart();
    void loadBytes(const std::string& bytes);

    // Commits one character into the typing box as an input method does.
    void commit(char16_t ch);
    void type(std::u16string_view text);
    // Types `count` characters of the lesson from the current position,
    // all right.
    void typeRight(int count);
    void typeWrong(int count);
    void backspace();
    // Live marks besides the template.
    [[nodiscard]] int liveMarks() const { return controls.lblOK.count() - 1; }

    FixedMeasure measure;
    MainControls controls = frmMainControls();
    FrmMain form{controls, measure};
    RulesBox box{form, controls.txtType};
    LessonFolder dir;
};

} // namespace keyloom::test
