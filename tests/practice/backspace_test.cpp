// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/practice/practice_fixture.h"

namespace keyloom::test {
namespace {

class Backspace : public PracticeFixture {};

TEST_F(Backspace, TakesBackTheNewestCharacterWithItsScore) {
    load(distinctLesson(400));
    typeRight(1);
    typeWrong(1);
    typeRight(1);
    ASSERT_EQ(form.state().rightCount, 2);
    ASSERT_EQ(controls.lblTF.caption, u"667");

    backspace();
    EXPECT_EQ(form.state().typedCount, 2);
    EXPECT_EQ(form.state().rightCount, 1);
    EXPECT_EQ(form.state().wrongCount, 1);
    EXPECT_EQ(controls.lblTrue.caption, u"对：1");
    EXPECT_EQ(controls.lblTF.caption, u"500");
    EXPECT_FALSE(controls.lblOK.exists(3));
    EXPECT_EQ(controls.lblType[0].caption.size(), 2U);
    EXPECT_EQ(controls.Line1.x1, 50 + 2 * 240);
    EXPECT_EQ(form.state().skipChange, -1);
    EXPECT_FALSE(controls.txtType.locked);
}

TEST_F(Backspace, TakingBackTheOnlyCharacterKeepsTheAccuracy) {
    load(distinctLesson(100));
    typeRight(1);
    backspace();
    EXPECT_EQ(form.state().rightCount, 0);
    EXPECT_EQ(controls.lblTF.caption, u"1000");
    EXPECT_TRUE(controls.lblType[0].caption.empty());
    EXPECT_EQ(controls.Line1.x1, 49);
    EXPECT_EQ(controls.Line1.y1, 0);
    EXPECT_EQ(controls.Line1.y2, 250);
}

TEST_F(Backspace, AtRowBoundaries) {
    load(distinctLesson(400));
    typeRight(44);
    backspace();
    EXPECT_EQ(controls.lblType[0].caption.size(), 43U);

    typeRight(2);
    backspace(); // after the 45th character: row 1 empties
    EXPECT_TRUE(controls.lblType[1].caption.empty());
    EXPECT_EQ(controls.Line1.x1, 49);
    EXPECT_EQ(controls.Line1.y1, 350);
    EXPECT_EQ(controls.Line1.y2, 600);

    typeRight(44);
    backspace(); // after the 88th: 43 left in row 1, row 0 untouched
    EXPECT_EQ(controls.lblType[1].caption.size(), 43U);
    EXPECT_EQ(controls.lblType[0].caption.size(), 44U);
    EXPECT_EQ(controls.Line1.x1, controls.lblOK[87].left + controls.lblOK[87].width);
}

TEST_F(Backspace, WithNothingToTakeBack) {
    load(distinctLesson(100));
    form.txtType_KeyDown(kKeyBack, 0); // empty box
    EXPECT_EQ(form.state().skipChange, 0);
    EXPECT_FALSE(controls.txtType.locked);

    controls.txtType.text = u"甲"; // text in the box, but nothing scored
    form.txtType_KeyDown(kKeyBack, 0);
    EXPECT_EQ(form.state().skipChange, -1);
    EXPECT_TRUE(controls.txtType.locked);
    EXPECT_EQ(form.state().typedCount, 0);
    form.txtType_KeyDown(kKeyProcessedByIme, 0);
    EXPECT_FALSE(controls.txtType.locked) << "the next key-down decides the lock again";
}

TEST_F(Backspace, StopsAtTheOldestCharacterTheRingStillShows) {
    load(distinctLesson(2000));
    typeRight(400);
    const Counter right = form.state().rightCount;
    int takenBack = 0;
    for (int i = 0; i < 400; ++i) {
        const Counter before = form.state().typedCount;
        backspace();
        if (form.state().typedCount == before) {
            break;
        }
        ++takenBack;
    }
    // The advances up to row 9 have destroyed the marks of rows 0 to 5: the
    // Backspaces take back rows 9 down to 6 and stop there.
    EXPECT_EQ(takenBack, 400 - 264);
    EXPECT_EQ(form.state().typedCount, 264);
    EXPECT_EQ(form.state().rightCount, right - takenBack) << "the score of the rest stands";
    EXPECT_TRUE(controls.txtType.locked);
    EXPECT_EQ(form.state().skipChange, -1);
    EXPECT_EQ(controls.lblType[5].caption.size(), 44U) << "the stopped Backspace trims nothing";
    typeRight(1);
    EXPECT_EQ(form.state().typedCount, 265) << "typing goes on from there";
    EXPECT_EQ(controls.lblOK[265].left, 50);
}

TEST_F(Backspace, StopsAtARowTheTypedRingHasCleared) {
    load(distinctLesson(2000));
    typeRight(303); // row 0 of the typed ring is cleared by the wrap
    controls.lblType[6].caption.clear();
    const Counter before = form.state().typedCount;
    backspace();
    EXPECT_EQ(form.state().typedCount, before);
    EXPECT_TRUE(controls.txtType.locked);
}

TEST_F(Backspace, KeyFilterLocksDirectKeys) {
    load(distinctLesson(100));
    struct Case {
        Counter key;
        bool locked;
    };
    for (const Case c : {Case{65, true}, Case{229, false}, Case{188, false}, Case{46, true},
                         Case{13, false}, Case{32, true}, Case{127, true}, Case{128, false},
                         Case{31, false}, Case{86, true}, Case{45, true}, Case{112, true}}) {
        form.txtType_KeyDown(c.key, 0);
        EXPECT_EQ(controls.txtType.locked, c.locked) << c.key;
        EXPECT_EQ(form.state().skipChange, 0);
    }
}

} // namespace
} // namespace keyloom::test
