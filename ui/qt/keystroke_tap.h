// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/keystroke_counter.h"

#include <QObject>

class QWidget;

namespace keyloom {

class TypingBox;

// Hands the key presses and input-method events that reach the typing box to
// the keystroke rules, before the box sees them. What the input method
// flushes while the box has not the focus, or while a composition is being
// abandoned, is nobody's typing and is not counted.
class KeystrokeTap : public QObject {
  public:
    KeystrokeTap(RunRecord& record, TypingBox* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool boxTakesTyping() const;

    KeystrokeCounter counter_;
    TypingBox* box_;
};

} // namespace keyloom
