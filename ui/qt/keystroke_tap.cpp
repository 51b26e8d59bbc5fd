// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/keystroke_tap.h"

#include "ui/qt/key_codes.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/typing_box.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace keyloom {

namespace {

// The input method answers one key with its events a millisecond or two
// apart (fcitx5: a commit, then the next code the same key opens); a
// person's next key comes tens of milliseconds later.
constexpr std::chrono::milliseconds kOneKeysEvents{10};

} // namespace

KeystrokeTap::KeystrokeTap(RunRecord& record, TypingBox* box)
    : QObject(box), record_(record), counter_(record), box_(box) {
    box->installEventFilter(this);
}

bool KeystrokeTap::boxTakesTyping() const {
    return box_->hasFocus() && box_->isActiveWindow() && QGuiApplication::focusObject() == box_;
}

bool KeystrokeTap::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        counter_.keyDown(virtualKeyCode(key), shiftState(key), !key.text().isEmpty());
    } else if (event->type() == QEvent::InputMethod && box_->rules().abandoning()) {
        counter_.compositionAbandoned();
    } else if (event->type() == QEvent::InputMethod && boxTakesTyping()) {
        const auto& im = static_cast<const QInputMethodEvent&>(*event);
        const std::chrono::nanoseconds now = record_.clockTime();
        counter_.inputMethodEvent(toU16(im.preeditString()), toU16(im.commitString()),
                                  previousInputMethodEvent_ &&
                                      now - *previousInputMethodEvent_ < kOneKeysEvents);
        previousInputMethodEvent_ = now;
    }
    return false;
}

} // namespace keyloom
