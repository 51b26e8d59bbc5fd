// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"
#include "practice/counter.h"
#include "ui/program_keys.h"

#include <functional>
#include <string_view>

namespace keyloom {

// One event of the input method: the text it commits (possibly none),
// whether a composition is open after it, and that composition's text where
// the platform tells it.
struct InputMethodEvent {
    std::u16string_view commit{};
    bool composing = false;
    std::u16string_view preedit{};
};

// What the hidden typing box does with keys and input-method events, the
// same on every toolkit; a binding maps its platform's events onto the three
// entry points `keyDown`, `keyText` and `inputMethod`, and `focusLost`.
//
// The text is the TextBox model's: a character is one code point, each
// arrives as its own change, and the caret stays after the last one. Every
// key reaches the key-down handler before the box applies it, and the lock
// that the handler sets applies to that very key. Every input-method event
// counts as key 229, which unlocks the box. Nothing goes in while the box
// lacks the focus or while a composition is being abandoned: that is the
// input method flushing text nobody chose. A letter, digit or space, with or
// without accents, that arrives outside a composition was made by the keys
// the box refuses (a dead key or Compose, then the letter) and is refused too;
// so is one out of a composition that showed only accents and Compose marks,
// as an input method's keyboard layout shows a dead key.
class TypingRules {
  public:
    struct Hooks {
        // Runs the key-down handler; false when the program has failed and
        // the event must go no further.
        std::function<bool(Counter keyCode, Counter shift)> keyDown;
        // Runs the change handler after a change of the text.
        std::function<void()> changed;
        // Whether the box has the focus in the active window.
        std::function<bool()> hasFocus;
        // Makes the input method drop its composition without committing it;
        // it may answer at once with a commit, which is dropped.
        std::function<void()> cancelComposition;
        // Takes the focus from the box and gives it back at once.
        std::function<void()> handFocusOver;
        // Runs one of the program's own commands (programCommandFor); a
        // command the binding has no action for does nothing.
        std::function<void(ProgramCommand)> runCommand;
    };

    TypingRules(TextBox& box, Hooks hooks);

    // A key went down. False when the key must go no further: the program
    // has failed, or the key is one of the program's own commands, which
    // runs here. Backspace is applied here.
    bool keyDown(Counter keyCode, Counter shift);
    // The text that the key which went down last types.
    void keyText(std::u16string_view text);
    // An event of the input method: a change of its composition or a commit.
    void inputMethod(InputMethodEvent event);
    // The box has lost the focus: an open composition is abandoned.
    void focusLost();
    // Drops an open composition without committing it, before a window of
    // the program's own takes the focus.
    void abandonComposition();
    // From now on nothing reaches the hooks: the window is going away.
    void detach();

    [[nodiscard]] bool composing() const { return composing_; }
    // Whether an open composition is being abandoned just now: what the input
    // method sends meanwhile is nobody's typing.
    [[nodiscard]] bool abandoning() const { return abandoning_; }
    // Whether any input-method event has reached the box yet.
    [[nodiscard]] bool metInputMethod() const { return metInputMethod_; }
    // Whether the box has refused a letter key while no input method has
    // ever reached it: the learner is typing without one.
    [[nodiscard]] bool needsInputMethod() const { return refusedLetter_ && !metInputMethod_; }

  private:
    [[nodiscard]] bool takesTyping() const;
    void recoverInputMethodFocus(Counter keyCode);
    void type(std::u16string_view text, bool fromComposition);
    void removeLastCharacter();

    TextBox& box_;
    Hooks hooks_;
    bool attached_ = true;
    bool abandoning_ = false;
    bool composing_ = false;
    bool composingMarks_ = false; // the composition shows only accent marks
    bool handedOver_ = false;
    bool metInputMethod_ = false;
    bool refusedLetter_ = false;
};

} // namespace keyloom
