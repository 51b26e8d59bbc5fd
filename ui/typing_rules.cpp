// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/typing_rules.h"

#include "practice/frm_main.h"
#include "text/code_points.h"
#include "ui/plain_key_characters.h"

#include <algorithm>

namespace keyloom {
namespace {

constexpr Counter kKeyA = 65;
constexpr Counter kKeyZ = 90;

// What a dead key or Compose shows while it waits for its letter: ASCII signs,
// Latin-1's spacing accents (´ ¨ ¸ ·), spacing modifiers (ˇ ˘ ˙ ˚ ˛ ˝) and
// combining accents. An input method's composition holds letters or digits.
bool onlyMarks(std::u16string_view preedit) {
    const auto mark = [](char16_t c) {
        const bool asciiSign = c >= 0x21 && c < 0x7F && !(c >= u'0' && c <= u'9') &&
                               !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z');
        return asciiSign || (c >= 0xA0 && c <= 0xBF) || (c >= 0x2B0 && c <= 0x36F);
    };
    return !preedit.empty() && std::ranges::all_of(preedit, mark);
}

// Control characters (Enter, Esc, Ctrl+V and the like) edit nothing.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

} // namespace

TypingRules::TypingRules(TextBox& box, Hooks hooks) : box_(box), hooks_(std::move(hooks)) {
    box_.selStart = static_cast<long long>(codePointCount(box_.text));
}

bool TypingRules::keyDown(Counter keyCode, Counter shift) {
    if (!attached_) {
        return false;
    }
    const std::optional<ProgramCommand> command = programCommandFor(keyCode, shift);
    // A letter key types nothing here (the handler locks the box against
    // it); with Ctrl or Alt it is a shortcut rather than typing.
    if (keyCode >= kKeyA && keyCode <= kKeyZ && (shift & (kCtrlMask | kAltMask)) == 0) {
        refusedLetter_ = true;
    }
    // The handler may end the program, and with it the box.
    if ((!command || commandRunsKeyDownHandler(*command)) &&
        (!hooks_.keyDown(keyCode, shift) || !attached_)) {
        return false;
    }
    if (command) {
        // A window of the program's own, or a new run, takes the focus: the
        // pinyin composed so far must not be committed.
        abandonComposition();
        if (attached_ && hooks_.runCommand) {
            hooks_.runCommand(*command);
        }
        return false;
    }
    recoverInputMethodFocus(keyCode);
    if (keyCode == kKeyBack && !box_.locked) {
        removeLastCharacter();
    }
    return attached_;
}

void TypingRules::keyText(std::u16string_view text) {
    if (!box_.locked && takesTyping()) {
        type(text, composing_ && !composingMarks_);
    }
}

void TypingRules::inputMethod(InputMethodEvent event) {
    if (!attached_) {
        return;
    }
    if (!takesTyping()) {
        composing_ = false;
        composingMarks_ = false;
        return;
    }
    metInputMethod_ = true;
    const bool fromComposition = composing_ && !composingMarks_;
    composing_ = event.composing;
    composingMarks_ = composing_ && onlyMarks(event.preedit);
    if (hooks_.keyDown(kKeyProcessedByIme, 0)) {
        type(event.commit, fromComposition);
    }
}

void TypingRules::focusLost() {
    if (attached_) {
        abandonComposition();
    }
}

void TypingRules::detach() {
    attached_ = false;
    hooks_ = {};
}

bool TypingRules::takesTyping() const {
    return attached_ && !abandoning_ && hooks_.hasFocus();
}

void TypingRules::abandonComposition() {
    abandoning_ = true;
    if (hooks_.cancelComposition) {
        hooks_.cancelComposition();
    }
    abandoning_ = false;
    composing_ = false;
    composingMarks_ = false;
}

// fcitx5 now and then misses the focus of a new window's input context; the
// letters then reach the box as plain keys. The first such letter, before any
// input-method event and so with no composition open, hands the focus over
// once more, which the input method then sees.
void TypingRules::recoverInputMethodFocus(Counter keyCode) {
    if (handedOver_ || metInputMethod_ || composing_ || keyCode < kKeyA || keyCode > kKeyZ ||
        !takesTyping()) {
        return;
    }
    handedOver_ = true;
    if (hooks_.handFocusOver) {
        hooks_.handFocusOver();
    }
}

// One change per character, as when each is typed on its own.
void TypingRules::type(std::u16string_view text, bool fromComposition) {
    while (!text.empty() && attached_) {
        const std::size_t units = unitsOfFirst(text, 1);
        const char32_t c = firstCodePoint(text);
        const std::u16string_view character = text.substr(0, units);
        text.remove_prefix(units);
        if (isControl(c) || (!fromComposition && comesFromPlainKey(c))) {
            continue;
        }
        box_.text.append(character);
        ++box_.selStart;
        hooks_.changed();
    }
}

void TypingRules::removeLastCharacter() {
    if (box_.text.empty()) {
        return;
    }
    box_.text.resize(box_.text.size() - unitsOfLast(box_.text));
    --box_.selStart;
    hooks_.changed();
}

} // namespace keyloom
