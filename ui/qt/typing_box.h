// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "practice/counter.h"
#include "ui/typing_rules.h"

#include <QRect>
#include <QWidget>
#include <functional>

namespace keyloom {

// The hidden typing box: a widget of its own rather than a line edit, since
// the practice needs only the text, a caret that stays at its end and the
// lock. It maps Qt's key and input-method events onto the typing rules, which
// edit the TextBox model in place; it never pastes, cuts, undoes, moves its
// caret or lays out its text.
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
        // Runs one of the program's own commands (F1, F2, F3...).
        std::function<void(ProgramCommand)> onCommand;
    };

    TypingBox(TextBox& model, Hooks hooks, QWidget* parent);

    [[nodiscard]] QString text() const;
    [[nodiscard]] const TypingRules& rules() const { return rules_; }

    // Drops an open composition without committing it.
    void abandonComposition() { rules_.abandonComposition(); }
    // Tells the input method that the visible caret has moved.
    void caretMoved();
    // From now on nothing reaches the hooks: the window is going away.
    void detach();

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    TextBox& model_;
    Hooks hooks_;
    TypingRules rules_;
    bool attached_ = true;
};

} // namespace keyloom
