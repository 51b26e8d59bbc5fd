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
#include "ui/input_method_notice.h"
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
    // The bindings show the notice after every event; it depends on the
    // rules' state alone.
    showInputMethodNotice(controls, box.rules(), Desktop::Linux);
    const Outcome actual =
        outcomeOf(controls, form.state(), box.rules().composing(), box.commands());
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
                                         .runCommand = [](ProgramCommand) {}});
    rules.keyDown(188, 0); // not a letter
    rules.keyDown(91, 0);  // the key after Z
    EXPECT_EQ(handOvers, 0);
    rules.keyDown(90, 0); // Z
    rules.keyDown(73, 0);
    EXPECT_EQ(handOvers, 1);

    TypingRules afterInputMethod(controls.txtType,
                                 {.keyDown = [](Counter, Counter) { return true; },
                                  .changed = [] {},
                                  .hasFocus = [] { return true; },
                                  .cancelComposition = [] {},
                                  .handFocusOver = [&] { ++handOvers; },
                                  .runCommand = [](ProgramCommand) {}});
    afterInputMethod.inputMethod({.composing = true});
    afterInputMethod.keyDown(78, 0);
    EXPECT_EQ(handOvers, 1);
}

// Whether a key goes on to type: not after a failed handler, never for a
// command, which runs only when its handler (F1, F2) has not failed.
TEST_F(TypingRulesTest, KeyDownAnswersWhetherTheKeyGoesOn) {
    struct Row {
        Counter keyCode;
        Counter shift;
        bool handlerSucceeds;
        bool goesOn;
        int commandsRun;
    };
    const Row rows[] = {
        {65, 0, true, true, 0},   {65, 0, false, false, 0},  {188, 0, true, true, 0},
        {112, 0, true, false, 1}, {112, 0, false, false, 0}, {113, 0, false, false, 0},
        {114, 0, true, false, 1}, {114, 0, false, false, 1}, {114, kShiftMask, true, true, 0},
        {8, 0, true, true, 0},
    };
    for (const Row& row : rows) {
        int commandsRun = 0;
        TypingRules rules(controls.txtType,
                          {.keyDown = [&](Counter, Counter) { return row.handlerSucceeds; },
                           .changed = [] {},
                           .hasFocus = [] { return true; },
                           .cancelComposition = [] {},
                           .handFocusOver = [] {},
                           .runCommand = [&](ProgramCommand) { ++commandsRun; }});
        EXPECT_EQ(rules.keyDown(row.keyCode, row.shift), row.goesOn) << row.keyCode;
        EXPECT_EQ(commandsRun, row.commandsRun) << row.keyCode;
    }
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
                            .runCommand = [](ProgramCommand) {}});
    rules = &abandoning;
    abandoning.inputMethod({.composing = true});
    abandoning.focusLost();
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(abandoning.composing());
}

TEST(ProgramKeys, EachKeyOnlyWithItsOwnModifiers) {
    EXPECT_EQ(programCommandFor(114, 0), ProgramCommand::Restart);
    EXPECT_EQ(programCommandFor(115, 0), ProgramCommand::LoadClipboard);
    EXPECT_EQ(programCommandFor(79, kCtrlMask), ProgramCommand::OpenFile);
    EXPECT_EQ(programCommandFor(79, 0), std::nullopt) << "the letter O";
    EXPECT_EQ(programCommandFor(79, kCtrlMask | kShiftMask), std::nullopt);
    EXPECT_EQ(programCommandFor(112, 0), ProgramCommand::About);
    EXPECT_EQ(programCommandFor(115, kAltMask), std::nullopt) << "Alt+F4 closes the window";
    EXPECT_EQ(programCommandFor(39, kCtrlMask), ProgramCommand::NextSegment);
    EXPECT_EQ(programCommandFor(119, 0), std::nullopt) << "F8 is no command";
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
