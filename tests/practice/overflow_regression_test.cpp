// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Faults found by the soak and the fuzzer, kept as tests.
#include "tests/practice/practice_fixture.h"

namespace keyloom::test {
namespace {

class OverflowRegression : public PracticeFixture {
  protected:
    // Select all, then Backspace: one character is taken back, the box
    // deletes everything, and the change is not scored.
    void emptyTheBox() {
        form.txtType_KeyDown(kKeyBack, 0);
        controls.txtType.text.clear();
        controls.txtType.selStart = 0;
        form.txtType_Change();
    }
};

// Once the box has been emptied the caret no longer counts the characters
// scored, and typedCount stops at 32,767 while the counts go on, so right +
// wrong can exceed 16 bits; a Backspace then must not end the program over
// the accuracy it cannot compute: the accuracy keeps its value, as it does
// when a character is scored.
TEST_F(OverflowRegression, BackspaceAfterTheCountsOutgrow16Bits) {
    load(distinctLesson(32780));
    typeRight(20000);
    emptyTheBox();
    typeWrong(32767 - 19999 + 10);
    ASSERT_EQ(form.state().typedCount, 32767);
    ASSERT_EQ(form.state().rightCount + form.state().wrongCount, 32777);
    const Counter accuracy = form.state().accuracy;
    const std::u16string shown = controls.lblTF.caption;

    EXPECT_NO_THROW(backspace());
    EXPECT_EQ(form.state().typedCount, 32766);
    EXPECT_EQ(form.state().wrongCount, 32767 - 19999 + 10 - 1);
    EXPECT_EQ(controls.lblFalse.caption, u"错：" + decimalText(form.state().wrongCount));
    EXPECT_EQ(form.state().accuracy, accuracy);
    EXPECT_EQ(controls.lblTF.caption, shown);

    // Back below the limit the accuracy follows the counts again: 19,999
    // right of 32,764.
    for (int i = 0; i < 12; ++i) {
        EXPECT_NO_THROW(backspace());
    }
    EXPECT_EQ(form.state().wrongCount, 12765);
    EXPECT_EQ(controls.lblTF.caption, u"610");
}

} // namespace
} // namespace keyloom::test
