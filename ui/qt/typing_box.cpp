#include "ui/qt/typing_box.h"

#include "practice/frm_main.h"
#include "ui/qt/key_codes.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

namespace keyloom {
namespace {

// What the input method is shown of the text before the caret: enough for
// context, and the same small cost however long the run.
constexpr std::size_t kSurroundingLength = 16;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Text that a key types into a box, as a line edit would take it: printable
// characters, not a Ctrl shortcut (Ctrl+Alt is AltGr on some systems).
QString typedText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)) {
        return {};
    }
    const QString text = event.text();
    const bool printable =
        std::ranges::all_of(text, [](QChar c) { return c.isPrint() || c.isSurrogate(); });
    return printable ? text : QString();
}

} // namespace

TypingBox::TypingBox(TextBox& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), model_(model), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("txtType"));
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    model_.selStart = static_cast<long long>(model_.text.size());
}

QString TypingBox::text() const {
    return QString::fromUtf16(model_.text.data(), static_cast<qsizetype>(model_.text.size()));
}

void TypingBox::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!attached_) {
        return;
    }
    const Counter code = virtualKeyCode(*event);
    if (!hooks_.onKeyDown(code, shiftState(*event))) {
        return;
    }
    recoverInputMethodFocus(code);
    if (model_.locked) {
        return;
    }
    if (code == kKeyBack) {
        removeLastCharacter();
        return;
    }
    append(typedText(*event));
}

// fcitx5 now and then misses the focus of a new window's input context (its
// Qt plugin announces the context's focus group over X and its focus over
// D-Bus, and a late group change takes the focus away again); the letters
// then reach the box as plain keys. The first such letter, before any
// input-method event and so with no composition open, hands the focus over
// once more, which the input method then sees.
void TypingBox::recoverInputMethodFocus(Counter keyCode) {
    constexpr Counter kKeyA = 65;
    constexpr Counter kKeyZ = 90;
    if (handedOver_ || metInputMethod_ || composing_ || keyCode < kKeyA || keyCode > kKeyZ ||
        !takesTyping()) {
        return;
    }
    handedOver_ = true;
    clearFocus();
    setFocus(Qt::ActiveWindowFocusReason);
}

// Tab and Shift+Tab are keys like any other: the box is the only place the
// focus can be, so they never move it.
bool TypingBox::focusNextPrevChild(bool /*next*/) {
    return false;
}

void TypingBox::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (!attached_) {
        return;
    }
    if (!takesTyping()) {
        // The input method flushes what it had composed when the focus left
        // the box: nobody chose that text.
        composing_ = false;
        return;
    }
    metInputMethod_ = true;
    composing_ = !event->preeditString().isEmpty();
    // Code 229 always unlocks the box: what the input method commits goes in.
    if (!hooks_.onKeyDown(kKeyProcessedByIme, 0)) {
        return;
    }
    append(event->commitString());
}

// The input method's own idea of the focus changes first, so a flush sent
// while the window switches finds the box no longer its focus object.
bool TypingBox::takesTyping() const {
    return !abandoning_ && hasFocus() && isActiveWindow() && QGuiApplication::focusObject() == this;
}

// One change per character, as when each is typed on its own; a surrogate
// pair stays one character.
void TypingBox::append(const QString& text) {
    for (qsizetype i = 0; i < text.size() && attached_; ++i) {
        model_.text.push_back(text.at(i).unicode());
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            model_.text.push_back(text.at(++i).unicode());
        }
        changed();
    }
}

void TypingBox::removeLastCharacter() {
    std::u16string& text = model_.text;
    if (text.empty()) {
        return;
    }
    const bool pair =
        text.size() >= 2 && isLowSurrogate(text.back()) && isHighSurrogate(text[text.size() - 2]);
    text.resize(text.size() - (pair ? 2 : 1));
    changed();
}

void TypingBox::changed() {
    model_.selStart = static_cast<long long>(model_.text.size());
    hooks_.onChange();
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

// fcitx5's plugin answers a reset by committing its raw preedit: that
// commit, sent while the reset runs, is dropped like any other flush.
void TypingBox::abandonComposition() {
    abandoning_ = true;
    QGuiApplication::inputMethod()->reset();
    abandoning_ = false;
    composing_ = false;
}

void TypingBox::detach() {
    attached_ = false;
    hooks_ = {};
}

} // namespace keyloom
