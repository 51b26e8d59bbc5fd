#pragma once

#include "forms/controls.h"
#include "practice/counter.h"

#include <QRect>
#include <QWidget>
#include <functional>

namespace keyloom {

// The hidden typing box: a widget of its own rather than a line edit, since
// the practice needs only the text, a caret that stays at its end and the
// lock. It edits the TextBox model in place, one character a change, and
// never pastes, cuts, undoes, moves its caret or lays out its text.
//
// Every key reaches the key-down handler before the box applies it: an
// unlocked Backspace then removes the last character and an unlocked key that
// types text appends it. Every input-method event counts as key 229; its
// commit is appended one character at a time, each its own change. A commit
// that arrives while the box has lost the focus is the input method flushing
// an abandoned composition, and is dropped.
class TypingBox : public QWidget {
  public:
    struct Hooks {
        // Calls the key-down handler with a virtual-key code and the shift
        // state; false when the program has failed and the event must end.
        std::function<bool(Counter keyCode, Counter shift)> onKeyDown;
        // After each change of the model's text.
        std::function<void()> onChange;
        // Where the visible caret stands, in this box's coordinates: the
        // input method puts its candidate window beside it.
        std::function<QRect()> caretRect;
    };

    TypingBox(TextBox& model, Hooks hooks, QWidget* parent);

    [[nodiscard]] QString text() const;
    // Whether the input method has a composition open in the box.
    [[nodiscard]] bool composing() const { return composing_; }
    // Whether any input-method event has reached the box yet.
    [[nodiscard]] bool metInputMethod() const { return metInputMethod_; }

    // Tells the input method that the visible caret has moved.
    void caretMoved();
    // Abandons an open composition without committing it.
    void abandonComposition();
    // From now on nothing reaches the hooks: the window is going away.
    void detach();

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    [[nodiscard]] bool takesTyping() const;
    void recoverInputMethodFocus(Counter keyCode);
    void append(const QString& text);
    void removeLastCharacter();
    void changed();

    TextBox& model_;
    Hooks hooks_;
    bool attached_ = true;
    bool abandoning_ = false;
    bool composing_ = false;
    bool handedOver_ = false;
    bool metInputMethod_ = false;
};

} // namespace keyloom
