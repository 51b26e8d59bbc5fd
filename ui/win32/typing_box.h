// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "practice/counter.h"
#include "ui/typing_rules.h"

#include <functional>
#include <string>
#include <windows.h>

namespace keyloom {

// The hidden typing box: a real EDIT control, subclassed so that Windows'
// key, character and input-method messages go to the typing rules, which
// edit the TextBox model; the control shows the model's text and lock and
// holds the input method's context, and never edits the text itself: no
// paste, cut, undo or caret moves.
class TypingBox {
  public:
    struct Hooks {
        // Calls the key-down handler; false when the program has failed or
        // is closing, and the message must go no further.
        std::function<bool(Counter keyCode, Counter shift)> onKeyDown;
        // After each change of the model's text.
        std::function<void()> onChange;
        // Runs one of the program's own commands (F1, F2, F3...).
        std::function<void(ProgramCommand)> onCommand;
        // Every message the box receives, before the box handles it.
        std::function<void(UINT message, WPARAM wParam)> onMessage;
    };

    TypingBox(HWND parent, RECT box, int id, TextBox& model, Hooks hooks);
    TypingBox(const TypingBox&) = delete;
    TypingBox& operator=(const TypingBox&) = delete;

    [[nodiscard]] HWND hwnd() const { return edit_; }
    [[nodiscard]] const TypingRules& rules() const { return rules_; }
    void setLocked(bool locked) const;
    // The visible caret moved to `caret` (client pixels of the box's parent):
    // the input method's composition and candidate windows follow it.
    void caretMoved(POINT caret, int caretHeight);
    // Drops an open composition without committing it.
    void abandonComposition() { rules_.abandonComposition(); }

  private:
    static LRESULT CALLBACK subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callEdit(UINT message, WPARAM wParam, LPARAM lParam) const;
    [[nodiscard]] bool focused() const;
    void cancelComposition() const;
    [[nodiscard]] std::u16string compositionResult() const;
    bool pairUp(WPARAM unit, std::u16string& character);
    void showText();
    void placeInputMethod() const;

    TextBox& model_;
    Hooks hooks_;
    TypingRules rules_;
    HWND edit_ = nullptr;
    WNDPROC editProc_ = nullptr;
    std::size_t shownUnits_ = 0;
    char16_t pendingHighSurrogate_ = 0;
    POINT imeCaret_{};
    int imeCaretHeight_ = 0;
};

// The shift state of a key-down: Shift 1, Ctrl 2, Alt 4.
Counter currentShiftState();

} // namespace keyloom
