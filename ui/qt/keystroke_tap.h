// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/keystroke_counter.h"

#include <QObject>

namespace keyloom {

// Hands the key presses and input-method events that reach the typing box to
// the keystroke rules, before the box sees them. What the input method
// flushes while the box has not the focus, or while a composition is being
// abandoned, is nobody's typing and is not counted.
class KeystrokeTap : public QObject {
  public:
    KeystrokeTap(RunRecord& record, QWidget* box);

    // While set, nothing is counted: an open composition is being abandoned.
    void setAbandoning(bool abandoning) {
        abandoning_ = abandoning;
        counter_.compositionAbandoned();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool boxTakesTyping() const;

    KeystrokeCounter counter_;
    QWidget* box_;
    bool abandoning_ = false;
};

} // namespace keyloom
