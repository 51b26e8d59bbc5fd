// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/typing_conformance.h"

#include "text/utf8_text.h"

namespace keyloom::test {
namespace {

constexpr Counter kKeyE = 69;
constexpr Counter kKeyA = 65;
constexpr Counter kKeyZ = 90;
constexpr Counter kKeyOne = 49;
constexpr Counter kKeySpace = 32;
constexpr Counter kKeyV = 86;
constexpr Counter kKeyComma = 188;
constexpr Counter kKeyQuote = 222; // the dead acute on many layouts
constexpr Counter kKeyF1 = 112;
constexpr Counter kKeyF3 = 114;
constexpr Counter kKeyF4 = 115;
constexpr Counter kKeyO = 79;
constexpr Counter kKeyLeft = 37;
constexpr Counter kKeyRight = 39;
constexpr Counter kKeypadAdd = 107;
constexpr Counter kKeypadDivide = 111;
constexpr Counter kNoCode = 0; // a key the keyboard has no code for

// A key of the program's own: the key, its modifiers and its command.
struct CommandKey {
    const char* name;
    Counter keyCode;
    Counter shift;
    ProgramCommand command;
};

const CommandKey kCommandKeys[] = {
    {"F1", kKeyF1, 0, ProgramCommand::About},
    {"F2", 113, 0, ProgramCommand::Report},
    {"F3", kKeyF3, 0, ProgramCommand::Restart},
    {"F4", kKeyF4, 0, ProgramCommand::LoadClipboard},
    {"Ctrl+O", kKeyO, kCtrlMask, ProgramCommand::OpenFile},
    {"F5", 116, 0, ProgramCommand::LessonWindow},
    {"F6", 117, 0, ProgramCommand::CodeHint},
    {"F7", 118, 0, ProgramCommand::History},
    {"Ctrl+Right", kKeyRight, kCtrlMask, ProgramCommand::NextSegment},
    {"Ctrl+Left", kKeyLeft, kCtrlMask, ProgramCommand::PreviousSegment},
};

// The same keys with a modifier added or missing: ordinary keys, all of them
// in the range that locks the box.
struct OtherKey {
    const char* name;
    Counter keyCode;
    Counter shift;
};

const OtherKey kOtherModifiers[] = {
    {"Shift+F1", kKeyF1, kShiftMask},
    {"Ctrl+F2", 113, kCtrlMask},
    {"Shift+F3", kKeyF3, kShiftMask},
    {"Alt+F4", kKeyF4, kAltMask},
    {"Ctrl+Alt+O", kKeyO, kCtrlMask | kAltMask},
    {"Ctrl+Shift+O", kKeyO, kCtrlMask | kShiftMask},
    {"Shift+F5", 116, kShiftMask},
    {"Right", kKeyRight, 0},
    {"Ctrl+Shift+Left", kKeyLeft, kCtrlMask | kShiftMask},
};

Step key(Counter code, std::u16string text = {}, Counter shift = 0) {
    return {.kind = StepKind::Key, .text = std::move(text), .keyCode = code, .shift = shift};
}
Step preedit(std::u16string text) {
    return {.kind = StepKind::Preedit, .text = std::move(text)};
}
Step commit(std::u16string text) {
    return {.kind = StepKind::Commit, .text = std::move(text)};
}
const Step kFocusOut{.kind = StepKind::FocusOut};
const Step kFocusIn{.kind = StepKind::FocusIn};

// Nothing typed, as after loading.
Outcome untouched(bool locked = false) {
    return {.locked = locked};
}

// Each command key abandons a composition and runs its command; only F1 and
// F2 reach the key-down handler, whose lock (keys 32 to 127) shows it. With
// another modifier the key reaches the handler and leaves the composition.
// Four rows of characters, then Backspaces back into the first: its marks
// went as the ring advanced, so the Backspace finds nothing to take back and
// meets a locked box, which keeps its text.
Scenario backspaceIntoTheRingsPast() {
    constexpr int kTyped = 171;      // column 38 of the fourth row: row 0's marks go
    constexpr int kBackspaces = 128; // back to 43 characters, then one more
    std::vector<Step> steps{commit(std::u16string(kTyped, u'你'))};
    steps.insert(steps.end(), kBackspaces, key(kKeyBack));
    const std::u16string left(kTyped - kBackspaces + 1, u'你'); // the first row, whole
    // Scored against 𠀀你好...: the second character alone is right.
    Outcome locked{.boxText = left,
                   .selStart = static_cast<long long>(left.size()),
                   .typedRow = left,
                   .rightCount = 1,
                   .wrongCount = static_cast<Counter>(left.size() - 1),
                   .locked = true};
    return {"Backspace in a locked box, past the ring's marks, keeps the text", std::move(steps),
            std::move(locked)};
}

std::vector<Scenario> withCommandKeyRows(std::vector<Scenario> scenarios) {
    scenarios.push_back(backspaceIntoTheRingsPast());
    for (const CommandKey& k : kCommandKeys) {
        const bool handlerSeesIt =
            k.command == ProgramCommand::About || k.command == ProgramCommand::Report;
        scenarios.push_back({std::string(k.name) +
                                 " abandons the composition and runs its command" +
                                 (handlerSeesIt ? " after the handler" : ", never the handler"),
                             {preedit(u"ni"), key(k.keyCode, {}, k.shift)},
                             {.locked = handlerSeesIt, .commands = {k.command}}});
    }
    for (const OtherKey& k : kOtherModifiers) {
        scenarios.push_back({std::string(k.name) + " is an ordinary key",
                             {preedit(u"ni"), key(k.keyCode, {}, k.shift)},
                             {.locked = true, .composing = true}});
    }
    return scenarios;
}

} // namespace

const std::vector<ProgramCommand>& allCommands() {
    static const std::vector<ProgramCommand> commands = [] {
        std::vector<ProgramCommand> all;
        for (const CommandKey& k : kCommandKeys) {
            all.push_back(k.command);
        }
        return all;
    }();
    return commands;
}

std::string conformanceLesson() {
    return "\xF0\xA0\x80\x80你好，中国人民我们";
}

const std::vector<Scenario>& typingScenarios() {
    static const std::vector<Scenario> scenarios = withCommandKeyRows({
        {"pinyin commits score one character each",
         {preedit(u"ni"), preedit(u"nihao"), commit(u"𠀀你好")},
         {u"𠀀你好", 3, u"𠀀你好", u"111", u"𠀀你好", 3, 0}},
        {"a character beyond the BMP committed is one right character",
         {preedit(u"a"), commit(u"𠀀")},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"a character beyond the BMP typed by a key is one right character",
         {key(kNoCode, u"𠀀")},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"Backspace takes back one code point",
         {preedit(u"x"), commit(u"𠀀你"), key(kKeyBack)},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"dead-key and Compose letters, digits and spaces are refused",
         {commit(u"é"), commit(u"a"), commit(u"\u212B"), commit(u"7"), commit(u" ")},
         untouched()},
        {"full-width forms are taken without a composition",
         {commit(u"Ａ１")},
         {u"Ａ１", 2, u"Ａ１", u"00", u"𠀀你", 0, 2}},
        {"raw letters committed on Return are taken",
         {preedit(u"ni"), commit(u"ni")},
         {u"ni", 2, u"ni", u"00", u"𠀀你", 0, 2}},
        {"an accented letter chosen in a composition is taken",
         {preedit(u"e"), commit(u"é")},
         {u"é", 1, u"é", u"0", u"𠀀", 0, 1}},
        {"a dead key shown as a composition, then its letter: refused",
         {preedit(u"\u00B4"), commit(u"é"), preedit(u"\u00B7"), preedit(u"\u00B7'"), commit(u"é")},
         untouched(),
         true},
        {"a composition cancelled leaves none open",
         {preedit(u"ni"), preedit(u""), commit(u"é")},
         untouched()},
        {"a preedit alone scores nothing", {preedit(u"n"), preedit(u"ni")}, {.composing = true}},
        {"letters, digits and space lock the box against their own text",
         {key(kKeyA, u"a"), key(kKeyOne, u"1"), key(kKeySpace, u" ")},
         {.locked = true, .inputMethodNotice = true}},
        {"a dead key and then E: the E locks the box",
         {key(kKeyQuote), key(kKeyE, u"é")},
         {.locked = true, .inputMethodNotice = true}},
        {"an accented letter from a key without a code is refused",
         {key(kNoCode, u"é")},
         untouched()},
        {"Ctrl+V pastes nothing", {key(kKeyV, u"\x16", kCtrlMask)}, untouched(true)},
        {"the comma key types", {key(kKeyComma, u",")}, {u",", 1, u",", u"0", u"𠀀", 0, 1}},
        {"Backspace on an empty box unlocks it and changes nothing",
         {key(kKeyA, u"a"), key(kKeyBack)},
         {.inputMethodNotice = true}},
        {"without the focus nothing is taken, with it again it is",
         {kFocusOut, preedit(u"ni"), commit(u"你"), kFocusIn, preedit(u"a"), commit(u"𠀀")},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"F1 abandons the composition and opens the about box",
         {preedit(u"ni"), key(kKeyF1)},
         {.locked = true, .commands = {ProgramCommand::About}}},
        {"Backspace takes back a whole character beyond the BMP",
         {commit(u"𠀀𠀀"), key(kKeyBack)},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"keypad signs lock the box against their text",
         {key(kKeypadAdd, u"+"), key(kKeypadDivide, u"/")},
         untouched(true)},
        {"a no-break space from the space bar is refused",
         {key(kKeySpace, u"\u00A0", kShiftMask)},
         untouched(true)},
        {"a composition showing a no-break space or U+02BC is a dead key's",
         {preedit(u"\u00A0"), commit(u"é"), preedit(u"\u02BC"), commit(u"é")},
         untouched(),
         true},
        {"a letter refused before any input method asks for one, until the first event",
         {key(kKeyZ, u"Z", kShiftMask), preedit(u"n")},
         {.composing = true}},
        {"digits, signs and Ctrl+letters ask for no input method",
         {key(kKeyOne, u"1"), key(kKeypadAdd, u"+"), key(kKeyV, u"\x16", kCtrlMask),
          key(kKeyA, u"a", kCtrlMask | kAltMask)},
         untouched(true)},
        {"a letter after an input-method event asks for none",
         {commit(u"𠀀"), key(kKeyA, u"a")},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0, true}},
        {"a composition showing a space is an input method's",
         {preedit(u" "), commit(u"é")},
         {u"é", 1, u"é", u"0", u"𠀀", 0, 1},
         true},
    });
    return scenarios;
}

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

Outcome outcomeOf(const MainControls& controls, const PracticeState& state, bool composing,
                  std::vector<ProgramCommand> commands) {
    Outcome outcome{.boxText = controls.txtType.text,
                    .selStart = controls.txtType.selStart,
                    .typedRow = controls.lblType[0].caption,
                    .rightCount = state.rightCount,
                    .wrongCount = state.wrongCount,
                    .locked = controls.txtType.locked,
                    .composing = composing,
                    .commands = std::move(commands),
                    .inputMethodNotice = findLabel(controls, "lblInputMethod")->visible};
    for (int k = 1; k <= state.typedCount && controls.lblOK.exists(k); ++k) {
        outcome.markTags += controls.lblOK[k].tag;
        outcome.markCaptions += controls.lblOK[k].caption;
    }
    return outcome;
}

std::string differences(const Outcome& expected, const Outcome& actual) {
    std::string found;
    const auto text = [&](const char* what, const std::u16string& want, const std::u16string& got) {
        if (want != got) {
            found +=
                std::string(what) + " \"" + toUtf8(got) + "\", expected \"" + toUtf8(want) + "\"; ";
        }
    };
    const auto number = [&](const char* what, long long want, long long got) {
        if (want != got) {
            found += std::string(what) + " " + std::to_string(got) + ", expected " +
                     std::to_string(want) + "; ";
        }
    };
    text("box text", expected.boxText, actual.boxText);
    number("caret", expected.selStart, actual.selStart);
    text("typed row", expected.typedRow, actual.typedRow);
    text("mark tags", expected.markTags, actual.markTags);
    text("mark captions", expected.markCaptions, actual.markCaptions);
    number("right", expected.rightCount, actual.rightCount);
    number("wrong", expected.wrongCount, actual.wrongCount);
    number("locked", expected.locked ? 1 : 0, actual.locked ? 1 : 0);
    number("composing", expected.composing ? 1 : 0, actual.composing ? 1 : 0);
    number("input-method notice", expected.inputMethodNotice ? 1 : 0,
           actual.inputMethodNotice ? 1 : 0);
    if (expected.commands != actual.commands) {
        const auto listed = [](const std::vector<ProgramCommand>& commands) {
            std::string list;
            for (const ProgramCommand command : commands) {
                list += " " + std::to_string(static_cast<int>(command));
            }
            return "{" + list + " }";
        };
        found += "commands " + listed(actual.commands) + ", expected " + listed(expected.commands) +
                 "; ";
    }
    return found;
}

} // namespace keyloom::test
