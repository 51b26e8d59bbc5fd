#include "ui/qt/typing_box.h"

#include "practice/frm_main.h"
#include "ui/qt/key_codes.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <limits>

namespace keyloom {
namespace {

// Keys a locked box still obeys: they move the caret or the selection, or
// copy, and never change the text.
bool movesCaretOnly(const QKeyEvent& event) {
    using Key = QKeySequence::StandardKey;
    static constexpr std::array kKeys{Key::MoveToNextChar,
                                      Key::MoveToPreviousChar,
                                      Key::MoveToNextWord,
                                      Key::MoveToPreviousWord,
                                      Key::MoveToStartOfLine,
                                      Key::MoveToEndOfLine,
                                      Key::MoveToStartOfDocument,
                                      Key::MoveToEndOfDocument,
                                      Key::MoveToStartOfBlock,
                                      Key::MoveToEndOfBlock,
                                      Key::SelectNextChar,
                                      Key::SelectPreviousChar,
                                      Key::SelectNextWord,
                                      Key::SelectPreviousWord,
                                      Key::SelectStartOfLine,
                                      Key::SelectEndOfLine,
                                      Key::SelectStartOfDocument,
                                      Key::SelectEndOfDocument,
                                      Key::SelectStartOfBlock,
                                      Key::SelectEndOfBlock,
                                      Key::SelectAll,
                                      Key::Deselect,
                                      Key::Copy};
    return std::ranges::any_of(kKeys, [&](Key key) { return event.matches(key); });
}

// A commit split into its characters; a surrogate pair stays one character.
QStringList characters(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        out.append(text.mid(i, pair ? 2 : 1));
        i += pair ? 1 : 0;
    }
    return out;
}

} // namespace

TypingBox::TypingBox(Hooks hooks, QWidget* parent) : QLineEdit(parent), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("txtType"));
    setMaxLength(std::numeric_limits<int>::max()); // the box has no length limit
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void TypingBox::keyPressEvent(QKeyEvent* event) {
    if (!hooks_.onKeyDown(virtualKeyCode(*event), shiftState(*event))) {
        return;
    }
    if (hooks_.isLocked() && !movesCaretOnly(*event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TypingBox::inputMethodEvent(QInputMethodEvent* event) {
    // Code 229 always unlocks the box: what the input method commits goes in.
    if (!hooks_.onKeyDown(kKeyProcessedByIme, 0)) {
        return;
    }
    const QStringList pieces = characters(event->commitString());
    if (pieces.size() <= 1) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Each character is its own change, as when the input method types the
    // characters one by one; the composition goes with the last.
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        QInputMethodEvent piece;
        if (i == 0) {
            piece.setCommitString(pieces.at(i), event->replacementStart(),
                                  event->replacementLength());
        } else {
            piece.setCommitString(pieces.at(i));
        }
        QLineEdit::inputMethodEvent(&piece);
    }
    QInputMethodEvent last(event->preeditString(), event->attributes());
    last.setCommitString(pieces.last());
    QLineEdit::inputMethodEvent(&last);
}

QVariant TypingBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return hooks_.caretRect();
    default: return QLineEdit::inputMethodQuery(query);
    }
}

void TypingBox::caretMoved() {
    if (hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    }
}

// Paste by the middle button, drag and drop and the context menu never
// change the box; the box lies outside the window, but say so anyway.
void TypingBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TypingBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TypingBox::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}
void TypingBox::dropEvent(QDropEvent* event) {
    event->ignore();
}

} // namespace keyloom
