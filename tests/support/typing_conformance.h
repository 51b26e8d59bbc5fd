// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/frm_main.h"
#include "ui/program_keys.h"

#include <ostream>
#include <string>
#include <vector>

namespace keyloom::test {

// One table of what the typing box does, run against the rules directly, the
// Qt box on the offscreen platform and the Win32 box under Wine. Each
// scenario starts on a freshly loaded conformanceLesson() with the focus in
// the box.
enum class StepKind {
    Key,      // a key goes down, with its code and the text it types
    Preedit,  // the input method's composition changes to `text`; empty closes it
    Commit,   // the input method commits `text` and closes its composition
    FocusOut, // the box loses the focus
    FocusIn,  // the box gets it back
};

struct Step {
    StepKind kind;
    std::u16string text{};
    Counter keyCode = 0;
    Counter shift = 0;
};

struct Outcome {
    std::u16string boxText{};
    long long selStart = 0;
    std::u16string typedRow{};     // lblType(0)
    std::u16string markTags{};     // the Tags of marks 1 to typedCount
    std::u16string markCaptions{}; // their captions, one after the other
    Counter rightCount = 0;
    Counter wrongCount = 0;
    bool locked = false;
    bool composing = false;
    std::vector<ProgramCommand> commands{}; // the program's commands run, in order
    bool inputMethodNotice = false;         // the window says an input method is needed
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
    Outcome expected;
    // Whether the rows' preedit text must reach the box: Windows tells it
    // only from a real input-method context (the Win32 run skips the row).
    bool preeditTextMatters = false;
};

// The lesson as UTF-8 bytes: a character beyond the BMP, then 你好...
std::string conformanceLesson();
const std::vector<Scenario>& typingScenarios();

// A scenario by its name, in a test's report.
void PrintTo(const Scenario& scenario, std::ostream* out);

// Every command of the program's own, each of which a runner records.
const std::vector<ProgramCommand>& allCommands();

// What the controls show after a scenario.
Outcome outcomeOf(const MainControls& controls, const PracticeState& state, bool composing,
                  std::vector<ProgramCommand> commands);
// Where `actual` differs from `expected`, as readable text; empty when alike.
std::string differences(const Outcome& expected, const Outcome& actual);

} // namespace keyloom::test
