// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/keystroke_counter.h"

#include "practice/frm_main.h"

namespace keyloom {
namespace {

constexpr Counter kKeyNone = 0;
constexpr Counter kKeyShift = 16;
constexpr Counter kKeyControl = 17;
constexpr Counter kKeyAlt = 18;
constexpr Counter kKeyCapsLock = 20;
constexpr Counter kKeyLeftWin = 91;
constexpr Counter kKeyRightWin = 92;
constexpr Counter kKeyF1 = 112;
constexpr Counter kKeyF12 = 123;
constexpr Counter kKeyNumLock = 144;
constexpr Counter kKeyLeftShift = 160; // to the right Alt key, 165
constexpr Counter kKeyRightAlt = 165;
constexpr Counter kKeyO = 79; // Ctrl+O opens a lesson

bool isModifier(Counter keyCode) {
    switch (keyCode) {
    case kKeyNone: // a key without a code that types nothing: AltGr, the level keys
    case kKeyShift:
    case kKeyControl:
    case kKeyAlt:
    case kKeyCapsLock:
    case kKeyLeftWin:
    case kKeyRightWin:
    case kKeyNumLock: return true;
    default: return keyCode >= kKeyLeftShift && keyCode <= kKeyRightAlt;
    }
}

bool isShortcut(Counter keyCode, Counter shift) {
    return (keyCode >= kKeyF1 && keyCode <= kKeyF12) ||
           (keyCode == kKeyO && (shift & (kCtrlMask | kAltMask)) == kCtrlMask);
}

} // namespace

bool countsAsKeystroke(Counter keyCode, Counter shift) {
    return !isModifier(keyCode) && !isShortcut(keyCode, shift);
}

void KeystrokeCounter::keyDown(Counter keyCode, Counter shift, bool typesText) {
    record_.beginCommit();
    committed_ = false;
    if (keyCode == kKeyNone ? !typesText : !countsAsKeystroke(keyCode, shift)) {
        return;
    }
    record_.countKeystroke();
    if (keyCode == kKeyProcessedByIme) {
        imeKeysArrive_ = true;
    }
}

void KeystrokeCounter::inputMethodEvent(std::u16string_view preedit, std::u16string_view commit,
                                        bool sameKeyAsBefore) {
    record_.beginCommit();
    // Input methods send an event a key while composing, the composition's
    // text changed or not (IBus shows 他 for both t and ta), and after a
    // commit or an abandoned composition an empty one. A key that commits
    // and goes on sends the commit, then the rest, together.
    const bool countedWithTheCommit = sameKeyAsBefore && committed_;
    if (!countedWithTheCommit && (!commit.empty() || !preedit.empty() || composing_)) {
        record_.countKeystroke();
    }
    composing_ = !preedit.empty();
    committed_ = !commit.empty();
}

void KeystrokeCounter::compositionAbandoned() {
    composing_ = false;
}

void KeystrokeCounter::compositionMessage() {
    record_.beginCommit();
    if (imeKeysArrive_) {
        return;
    }
    record_.countKeystroke();
    record_.markKeystrokesEstimated();
}

} // namespace keyloom
