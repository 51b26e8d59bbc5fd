// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/keystroke_counter.h"

#include <QObject>

#include <chrono>
#include <optional>

class QWidget;

namespace keyloom {

class TypingBox;

// Hands the key presses and input-method events that reach the typing box to
// the keystroke rules, before the box sees them. What the input method
// flushes while the box has not the focus, or while a composition is being
// abandoned, is nobody's typing and is not counted. Input-method events that
// follow each other within a few milliseconds, on the record's clock, answer
// one key.
class KeystrokeTap : public QObject {
  public:
    KeystrokeTap(RunRecord& record, TypingBox* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool boxTakesTyping() const;

    const RunRecord& record_;
    KeystrokeCounter counter_;
    TypingBox* box_;
    std::optional<std::chrono::nanoseconds> previousInputMethodEvent_;
};

} // namespace keyloom
