// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/typing_box.h"

#include "ui/qt/key_codes.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>
#include <string_view>

namespace keyloom {
namespace {

// What the input method is shown of the text before the caret: enough for
// context, and the same small cost however long the run.
constexpr std::size_t kSurroundingLength = 16;

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// A Ctrl shortcut types nothing (Ctrl+Alt is AltGr on some systems).
QString typedText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)) {
        return {};
    }
    return event.text();
}

} // namespace

TypingBox::TypingBox(TextBox& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), model_(model), hooks_(std::move(hooks)),
      rules_(
          model,
          {.keyDown = [this](Counter code, Counter shift) { return hooks_.onKeyDown(code, shift); },
           .changed = [this] { hooks_.onChange(); },
           // The input method's own idea of the focus changes first, so a
           // flush sent while the window switches finds the box no longer
           // its focus object.
           .hasFocus =
               [this] {
                   return hasFocus() && isActiveWindow() && QGuiApplication::focusObject() == this;
               },
           .cancelComposition = [] { QGuiApplication::inputMethod()->reset(); },
           .handFocusOver =
               [this] {
                   clearFocus();
                   setFocus(Qt::ActiveWindowFocusReason);
               },
           .runCommand =
               [this](ProgramCommand command) {
                   if (hooks_.onCommand) {
                       hooks_.onCommand(command);
                   }
               }}) {
    setObjectName(QStringLiteral("txtType"));
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString TypingBox::text() const {
    return QString::fromUtf16(model_.text.data(), static_cast<qsizetype>(model_.text.size()));
}

void TypingBox::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (rules_.keyDown(virtualKeyCode(*event), shiftState(*event))) {
        rules_.keyText(view(typedText(*event)));
    }
}

void TypingBox::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    const QString& preedit = event->preeditString();
    rules_.inputMethod({.commit = view(event->commitString()),
                        .composing = !preedit.isEmpty(),
                        .preedit = view(preedit)});
}

void TypingBox::focusOutEvent(QFocusEvent* event) {
    rules_.focusLost();
    QWidget::focusOutEvent(event);
}

// Tab and Shift+Tab are keys like any other: the box is the only place the
// focus can be, so they never move it.
bool TypingBox::focusNextPrevChild(bool /*next*/) {
    return false;
}

QVariant TypingBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const std::u16string& text = model_.text;
    const std::size_t from = text.size() - std::min(text.size(), kSurroundingLength);
    const std::size_t start = from > 0 && isLowSurrogate(text[from]) ? from + 1 : from;
    const auto before =
        QString::fromUtf16(text.data() + start, static_cast<qsizetype>(text.size() - start));
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: return attached_ ? hooks_.caretRect() : QRect();
    case Qt::ImFont: return font();
    case Qt::ImSurroundingText:
    case Qt::ImTextBeforeCursor: return before;
    case Qt::ImTextAfterCursor:
    case Qt::ImCurrentSelection: return QString();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: return before.size();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText |
                                Qt::ImhNoEditMenu | Qt::ImhNoTextHandles);
    default: return {};
    }
}

void TypingBox::caretMoved() {
    if (attached_ && hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImSurroundingText |
                                               Qt::ImCursorPosition | Qt::ImAnchorPosition);
    }
}

void TypingBox::detach() {
    attached_ = false;
    rules_.detach();
    hooks_ = {};
}

} // namespace keyloom
