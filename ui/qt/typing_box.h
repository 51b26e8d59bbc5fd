#pragma once

#include "practice/counter.h"

#include <QLineEdit>
#include <QRect>
#include <functional>

namespace keyloom {

// The hidden typing box. Every key and every input-method event reaches the
// key-down handler (through `onKeyDown`) before the box applies it; a commit
// of several characters is applied one character at a time, so each one is
// scored; while the handlers keep the box locked it refuses every edit but
// still moves its caret and selection.
class TypingBox : public QLineEdit {
  public:
    struct Hooks {
        // Calls the key-down handler with a virtual-key code and the shift
        // state; false when the program has failed and the event must end.
        std::function<bool(Counter keyCode, Counter shift)> onKeyDown;
        std::function<bool()> isLocked;
        // Where the visible caret stands, in this box's coordinates: the
        // input method puts its candidate window beside it.
        std::function<QRect()> caretRect;
    };

    TypingBox(Hooks hooks, QWidget* parent);

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // Tells the input method that the visible caret has moved.
    void caretMoved();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    Hooks hooks_;
};

} // namespace keyloom
