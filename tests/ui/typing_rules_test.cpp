// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The typing box's conformance table against the rules alone, and what only
// the rules can show: the focus hand-over that recovers a missed input
// method, and the refusal of accented letters outside a composition.
#include "forms/frm_main_design.h"
#include "tests/support/fixed_measure.h"
#include "tests/support/lesson_folder.h"
#include "tests/support/rules_box.h"
#include "tests/support/typing_conformance.h"
#include "ui/plain_key_characters.h"

#include <gtest/gtest.h>

namespace keyloom::test {

namespace {

class TypingRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.write(conformanceLesson());
        form.Form_Load(folder.lessonFile());
    }

    void play(const Step& step) {
        switch (step.kind) {
        case StepKind::Key: box.key(step.keyCode, step.text, step.shift); break;
        case StepKind::Preedit:
            box.rules().inputMethod({.composing = !step.text.empty(), .preedit = step.text});
            break;
        case StepKind::Commit: box.rules().inputMethod({.commit = step.text}); break;
        case StepKind::FocusOut: box.setFocus(false); break;
        case StepKind::FocusIn: box.setFocus(true); break;
        }
    }

    LessonFolder folder;
    FixedMeasure measure;
    MainControls controls = frmMainControls();
    FrmMain form{controls, measure};
    RulesBox box{form, controls.txtType};
};

class ConformanceTest : public TypingRulesTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(ConformanceTest, Rules) {
    for (const Step& step : GetParam().steps) {
        play(step);
    }
    const Outcome actual =
        outcomeOf(controls, form.state(), box.rules().composing(), box.aboutBoxes());
    EXPECT_EQ(differences(GetParam().expected, actual), "");
}

INSTANTIATE_TEST_SUITE_P(Table, ConformanceTest, ::testing::ValuesIn(typingScenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& row) {
                             return "row" + std::to_string(row.index);
                         });

TEST_F(TypingRulesTest, TheFirstLetterBeforeAnyInputMethodHandsTheFocusOverOnce) {
    int handOvers = 0;
    TypingRules rules(controls.txtType, {.keyDown = [](Counter, Counter) { return true; },
                                         .changed = [] {},
                                         .hasFocus = [] { return true; },
                                         .cancelComposition = [] {},
                                         .handFocusOver = [&] { ++handOvers; },
                                         .openAboutBox = [] {}});
    rules.keyDown(188, 0); // not a letter
    EXPECT_EQ(handOvers, 0);
    rules.keyDown(78, 0);
    rules.keyDown(73, 0);
    EXPECT_EQ(handOvers, 1);

    TypingRules afterInputMethod(controls.txtType,
                                 {.keyDown = [](Counter, Counter) { return true; },
                                  .changed = [] {},
                                  .hasFocus = [] { return true; },
                                  .cancelComposition = [] {},
                                  .handFocusOver = [&] { ++handOvers; },
                                  .openAboutBox = [] {}});
    afterInputMethod.inputMethod({.composing = true});
    afterInputMethod.keyDown(78, 0);
    EXPECT_EQ(handOvers, 1);
}

TEST_F(TypingRulesTest, ACommitDuringTheAbandonOfACompositionIsDropped) {
    TypingRules* rules = nullptr;
    int changes = 0;
    TypingRules abandoning(controls.txtType,
                           {.keyDown = [](Counter, Counter) { return true; },
                            .changed = [&] { ++changes; },
                            .hasFocus = [] { return true; },
                            // fcitx5 answers a reset with its raw pinyin
                            .cancelComposition = [&] { rules->inputMethod({.commit = u"ni"}); },
                            .handFocusOver = [] {},
                            .openAboutBox = [] {}});
    rules = &abandoning;
    abandoning.inputMethod({.composing = true});
    abandoning.focusLost();
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(abandoning.composing());
}

TEST(PlainKeyCharacters, LettersDigitsAndSpaceWithOrWithoutAccentsButNoWiderForms) {
    for (const char32_t c : {U'a', U'Z', U'0', U' ', U'é', U'Å', U'ṩ', U'\u212A'}) {
        EXPECT_TRUE(comesFromPlainKey(c)) << static_cast<unsigned>(c);
    }
    for (const char32_t c :
         {U',', U'\u00A0', U'Ａ', U'１', U'²', U'ß', U'中', U'\U00020000', U'\u00C6', U'ı'}) {
        EXPECT_FALSE(comesFromPlainKey(c)) << static_cast<unsigned>(c);
    }
}

} // namespace
} // namespace keyloom::test
