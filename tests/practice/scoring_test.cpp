// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/marks.h"
#include "tests/practice/practice_fixture.h"

namespace keyloom::test {
namespace {

class Scoring : public PracticeFixture {
  protected:
    const Label& mark(int k) { return controls.lblOK[k]; }
    [[nodiscard]] const LineShape& caret() const { return controls.Line1; }
};

TEST_F(Scoring, FirstCharacterRightAndWrong) {
    load(distinctLesson(400));
    typeRight(1);
    EXPECT_EQ(mark(1).left, 50);
    EXPECT_EQ(mark(1).top, 0);
    EXPECT_EQ(mark(1).width, 240);
    EXPECT_TRUE(mark(1).visible);
    EXPECT_EQ(mark(1).backColor, kRightColour);
    EXPECT_EQ(mark(1).tag, u"1");
    EXPECT_EQ(mark(1).caption, form.state().lessonText.substr(0, 1));
    EXPECT_EQ(controls.lblTrue.caption, u"对：1");
    EXPECT_EQ(controls.lblTF.caption, u"1000");
    EXPECT_EQ(caret().x1, 290);
    EXPECT_EQ(caret().y1, 0);
    EXPECT_EQ(caret().y2, 250);

    typeWrong(1);
    EXPECT_EQ(mark(2).backColor, kWrongColour);
    EXPECT_EQ(mark(2).tag, u"0");
    EXPECT_EQ(mark(2).left, 290);
    EXPECT_EQ(mark(2).caption, form.state().lessonText.substr(1, 1))
        << "a mark shows the reference";
    EXPECT_EQ(controls.lblFalse.caption, u"错：1");
    EXPECT_EQ(controls.lblTF.caption, u"500");
    EXPECT_EQ(controls.lblType[0].caption, form.state().lessonText.substr(0, 1) + u"?");
}

TEST_F(Scoring, CaseAndWidthFormsDiffer) {
    load(u"a，b");
    type(u"A,b");
    EXPECT_EQ(mark(1).tag, u"0");
    EXPECT_EQ(mark(1).caption, u"a");
    EXPECT_EQ(mark(2).tag, u"0");
    EXPECT_EQ(mark(3).tag, u"1");
    EXPECT_EQ(controls.lblType[0].caption, u"A,b");
}

TEST_F(Scoring, AccuracyRoundsHalfToEven) {
    struct Case {
        int right;
        int wrong;
        const char16_t* shown;
    };
    for (const Case c :
         {Case{2, 1, u"667"}, Case{1, 2, u"333"}, Case{1, 15, u"62"}, Case{3, 13, u"188"}}) {
        restart();
        load(distinctLesson(100));
        typeRight(c.right);
        typeWrong(c.wrong);
        EXPECT_EQ(controls.lblTF.caption, c.shown) << c.right << " of " << c.right + c.wrong;
    }
}

TEST_F(Scoring, RowBoundariesMoveMarksAndCaret) {
    load(distinctLesson(2000));
    typeRight(44);
    EXPECT_EQ(caret().x1, 49) << "after a row's 44th character the caret starts the next row";
    EXPECT_EQ(caret().y1, 350);
    EXPECT_EQ(caret().y2, 600);
    EXPECT_EQ(mark(44).left, 50 + 43 * 240);
    EXPECT_EQ(mark(44).top, 0);
    typeRight(1);
    EXPECT_EQ(mark(45).left, 50);
    EXPECT_EQ(mark(45).top, 350);
    EXPECT_EQ(controls.lblType[1].caption.size(), 1U);

    typeRight(352 - 45);
    EXPECT_EQ(caret().x1, 49) << "after ring row 7 the caret wraps to row 0";
    EXPECT_EQ(caret().y1, 0);
    typeRight(1);
    EXPECT_EQ(mark(353).top, 0);
    EXPECT_EQ(mark(353).left, 50);
    EXPECT_EQ(controls.lblEgg[0].caption, form.state().lessonText.substr(352, 44));
    EXPECT_EQ(form.state().rightCount, 353);
}

TEST_F(Scoring, FirstAdvanceEmptiesRowZeroAndFillsRowSeven) {
    load(distinctLesson(2000));
    typeRight(170);
    EXPECT_EQ(form.state().nextLine, 7);
    EXPECT_TRUE(controls.lblEgg[7].caption.empty());
    typeRight(1);
    EXPECT_TRUE(controls.lblEgg[0].caption.empty());
    EXPECT_EQ(controls.lblEgg[7].caption, form.state().lessonText.substr(308, 44));
    EXPECT_EQ(form.state().nextLine, 8);
    for (int k = 1; k <= 44; ++k) {
        EXPECT_FALSE(controls.lblOK.exists(k)) << k;
    }
    EXPECT_TRUE(controls.lblOK.exists(0));
    EXPECT_TRUE(controls.lblOK.exists(45));
    EXPECT_EQ(mark(171).tag, u"1") << "the advancing character is scored as usual";
    EXPECT_EQ(mark(171).left, 50 + 38 * 240);

    // Typing column 38 of that row again after a Backspace does not advance again.
    backspace();
    typeRight(1);
    EXPECT_EQ(form.state().nextLine, 8);
}

TEST_F(Scoring, RingWrapsAtCharacter303AndClearsTypedRowsAhead) {
    load(distinctLesson(2000));
    typeRight(302);
    EXPECT_EQ(form.state().ringWrapped, 0);
    EXPECT_FALSE(controls.lblType[0].caption.empty());
    typeRight(1);
    EXPECT_EQ(form.state().ringWrapped, -1);
    EXPECT_TRUE(controls.lblType[0].caption.empty());
    EXPECT_FALSE(controls.lblType[1].caption.empty());
    typeRight(8);
    EXPECT_TRUE(controls.lblType[1].caption.empty()) << "row 7's first character clears row 1";
}

TEST_F(Scoring, LiveMarksStayWithinTheBound) {
    load(distinctLesson(32780));
    typeRight(171);
    for (int i = 0; i < 3000; ++i) {
        typeRight(1);
        ASSERT_GE(liveMarks(), 127);
        ASSERT_LE(liveMarks(), 170);
    }
}

TEST_F(Scoring, LessonOfNLinesGivesNAdvances) {
    for (const std::size_t chars :
         {std::size_t{0}, std::size_t{100}, std::size_t{440}, std::size_t{1000}}) {
        restart();
        load(distinctLesson(chars));
        const auto lines = static_cast<int>((chars + 43) / 44);
        typeWrong(44 * (lines + 6));
        EXPECT_EQ(form.state().nextLine - 7, lines) << chars << " characters";
        if (chars == 0) {
            EXPECT_EQ(liveMarks(), form.state().typedCount) << "no mark destroyed";
        }
    }
}

TEST_F(Scoring, PastTheLessonEveryCharacterIsWrongWithAnEmptyMark) {
    load(u"甲乙");
    type(u"甲乙丙");
    EXPECT_EQ(mark(3).tag, u"0");
    EXPECT_TRUE(mark(3).caption.empty());
    EXPECT_EQ(mark(3).width, 0);
}

TEST_F(Scoring, ChangesThatAreNotScored) {
    load(distinctLesson(100));
    controls.txtType.text = u"甲";
    controls.txtType.selStart = 0; // caret at the start
    form.txtType_Change();
    EXPECT_EQ(form.state().typedCount, 0);

    controls.txtType.selStart = 40000; // beyond 16 bits
    form.txtType_Change();
    EXPECT_EQ(form.state().typedCount, 0);

    // Several characters at once count as one: the last.
    controls.txtType.text = u"甲乙丙";
    controls.txtType.selStart = 3;
    form.txtType_Change();
    EXPECT_EQ(form.state().typedCount, 1);
    EXPECT_EQ(controls.lblType[0].caption, u"丙");
}

TEST_F(Scoring, CountersStopAtTheir16BitLimit) {
    load(distinctLesson(100));
    form.state().typedCount = 32767;
    form.state().rightCount = 32767;
    controls.lblOK.create(32767);
    typeWrong(1);
    EXPECT_EQ(form.state().typedCount, 32767) << "stays at its limit, mark 32,767 reused";
    EXPECT_EQ(form.state().wrongCount, 1);
    EXPECT_EQ(mark(32767).tag, u"0");
    EXPECT_EQ(controls.lblFalse.caption, u"错：1");
    EXPECT_EQ(form.state().accuracy, 0) << "a sum above 32,767 keeps the accuracy";
}

TEST_F(Scoring, RowsPastLine744StayEmpty) {
    load(distinctLesson(40000));
    EXPECT_EQ(form.state().lessonText.size(), 32780U) << "only what can be shown is kept";
    form.state().nextLine = 745;
    controls.lblEgg[7].caption.clear();
    typeRight(170);
    typeRight(1);
    EXPECT_TRUE(controls.lblEgg[7].caption.empty());
    EXPECT_EQ(form.state().nextLine, 746);
}

} // namespace
} // namespace keyloom::test
