// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/typing_conformance.h"

#include "text/utf8_text.h"

namespace keyloom::test {
namespace {

constexpr Counter kKeyE = 69;
constexpr Counter kKeyA = 65;
constexpr Counter kKeyOne = 49;
constexpr Counter kKeySpace = 32;
constexpr Counter kKeyV = 86;
constexpr Counter kKeyComma = 188;
constexpr Counter kKeyQuote = 222; // the dead acute on many layouts
constexpr Counter kKeyF1 = 112;
constexpr Counter kNoCode = 0; // a key the keyboard has no code for

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

} // namespace

std::string conformanceLesson() {
    return "\xF0\xA0\x80\x80你好，中国人民我们";
}

const std::vector<Scenario>& typingScenarios() {
    static const std::vector<Scenario> scenarios{
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
         untouched(true)},
        {"a dead key and then E: the E locks the box",
         {key(kKeyQuote), key(kKeyE, u"é")},
         untouched(true)},
        {"an accented letter from a key without a code is refused",
         {key(kNoCode, u"é")},
         untouched()},
        {"Ctrl+V pastes nothing", {key(kKeyV, u"\x16", kCtrlMask)}, untouched(true)},
        {"the comma key types", {key(kKeyComma, u",")}, {u",", 1, u",", u"0", u"𠀀", 0, 1}},
        {"Backspace on an empty box unlocks it and changes nothing",
         {key(kKeyA, u"a"), key(kKeyBack)},
         untouched()},
        {"without the focus nothing is taken, with it again it is",
         {kFocusOut, preedit(u"ni"), commit(u"你"), kFocusIn, preedit(u"a"), commit(u"𠀀")},
         {u"𠀀", 1, u"𠀀", u"1", u"𠀀", 1, 0}},
        {"F1 abandons the composition and opens the about box",
         {preedit(u"ni"), key(kKeyF1)},
         {.locked = true, .aboutBoxes = 1}},
    };
    return scenarios;
}

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

Outcome outcomeOf(const MainControls& controls, const PracticeState& state, bool composing,
                  int aboutBoxes) {
    Outcome outcome{.boxText = controls.txtType.text,
                    .selStart = controls.txtType.selStart,
                    .typedRow = controls.lblType[0].caption,
                    .rightCount = state.rightCount,
                    .wrongCount = state.wrongCount,
                    .locked = controls.txtType.locked,
                    .composing = composing,
                    .aboutBoxes = aboutBoxes};
    for (int k = 1; k <= state.typedCount; ++k) {
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
    number("about boxes", expected.aboutBoxes, actual.aboutBoxes);
    return found;
}

} // namespace keyloom::test
