#pragma once

#include "practice/counter.h"

#include <functional>
#include <windows.h>

namespace keyloom {

// The hidden typing box: a real EDIT control, subclassed so that every key
// reaches the key-down handler before the box applies it, each character of
// an input method's commit is its own change, and nothing but typing at the
// end of the text changes it: no paste, cut, undo or caret moves.
class TypingBox {
  public:
    struct Hooks {
        // Calls the key-down handler; false when the program has failed or
        // is closing, and the message must go no further.
        std::function<bool(Counter keyCode, Counter shift)> onKeyDown;
        // After the key-down handler of F1: opens the about box.
        std::function<void()> onHelp;
        // Every message the box receives, before the box handles it.
        std::function<void(UINT message, WPARAM wParam)> onMessage;
    };

    TypingBox(HWND parent, RECT box, int id, Hooks hooks);
    TypingBox(const TypingBox&) = delete;
    TypingBox& operator=(const TypingBox&) = delete;

    [[nodiscard]] HWND hwnd() const { return edit_; }
    void setLocked(bool locked) const;
    // The visible caret moved to `caret` (client pixels of the box's parent):
    // the input method's composition and candidate windows follow it.
    void caretMoved(POINT caret, int caretHeight);
    // Abandons a composition in progress: nothing of it is committed.
    void cancelComposition() const;
    // Whether text may go in now: the box has the focus in the active window.
    [[nodiscard]] bool focused() const;

  private:
    static LRESULT CALLBACK subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callEdit(UINT message, WPARAM wParam, LPARAM lParam) const;
    void caretToEnd() const;
    bool typeCharacter(wchar_t character, LPARAM lParam);
    void commitResult();
    void placeInputMethod() const;

    HWND edit_ = nullptr;
    WNDPROC editProc_ = nullptr;
    Hooks hooks_;
    POINT imeCaret_{};
    int imeCaretHeight_ = 0;
};

// The shift state of a key-down: Shift 1, Ctrl 2, Alt 4.
Counter currentShiftState();

} // namespace keyloom
