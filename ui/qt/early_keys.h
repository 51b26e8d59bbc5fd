// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>

class QKeyEvent;

namespace keyloom {

class TypingBox;

// Keys typed into a new window before the input method has set up its
// context for it reach the box as plain keys: fcitx5's Qt plugin creates the
// context 100-300 ms after the window gets the focus, so the first pinyin
// letters typed at once after F3 or F4 were refused and lost. Until an
// input-method event has reached the box, a letter key (and every key after
// it) is held here, ahead of the keystroke count, and handed to the input
// method in order once it takes keys; when it has taken none within a
// second, the held keys go on to the box as they came, and letters are
// refused there as before.
class EarlyKeys : public QObject, public QAbstractNativeEventFilter {
  public:
    // Installed on `box` after every other event filter, so that it sees
    // the keys first.
    explicit EarlyKeys(TypingBox& box);
    ~EarlyKeys() override;
    EarlyKeys(const EarlyKeys&) = delete;
    EarlyKeys& operator=(const EarlyKeys&) = delete;
    EarlyKeys(EarlyKeys&&) = delete;
    EarlyKeys& operator=(EarlyKeys&&) = delete;

    // Whether keys are being held for the input method now.
    [[nodiscard]] bool holding() const { return !held_.empty(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Before the platform's next key reaches the input method directly, the
    // held keys go to it, if it now takes them: the keys stay in order.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    [[nodiscard]] bool startsHolding(const QKeyEvent& key) const;
    void handToInputMethod();
    void giveUp();
    void finish();

    TypingBox& box_;
    std::deque<std::unique_ptr<QKeyEvent>> held_;
    QTimer retry_;
    QElapsedTimer heldFor_;
    bool done_ = false; // the input method has spoken, or the wait is over
};

} // namespace keyloom
