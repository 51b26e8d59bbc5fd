// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/early_keys.h"

#include "ui/qt/key_codes.h"
#include "ui/qt/typing_box.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <private/qguiapplication_p.h>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatformintegration.h>

namespace keyloom {
namespace {

constexpr int kRetryMs = 10;
// Longer than the input method takes to focus a new window's context, even
// after the focus hand-over of a missed first focus.
constexpr qint64 kWaitMs = 1000;
constexpr Counter kKeyA = 65;
constexpr Counter kKeyZ = 90;

// The input method's context; not Qt's own for dead keys and Compose, which
// is there with no input method at all.
QPlatformInputContext* platformInputContext() {
    const QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
    QPlatformInputContext* context = integration != nullptr ? integration->inputContext() : nullptr;
    return context != nullptr &&
                   qstrcmp(context->metaObject()->className(), "QComposeInputContext") != 0
               ? context
               : nullptr;
}

} // namespace

EarlyKeys::EarlyKeys(TypingBox& box) : QObject(&box), box_(box) {
    box_.installEventFilter(this);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] { handToInputMethod(); });
}

EarlyKeys::~EarlyKeys() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool EarlyKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    constexpr quint8 kKeyPress = 2; // an X key press or release: 2 or 3
    constexpr quint8 kKeyRelease = 3;
    constexpr quint8 kSentFlag = 0x80;
    if (eventType == "xcb_generic_event_t") {
        const auto type = static_cast<quint8>(*static_cast<const quint8*>(message) & ~kSentFlag);
        if (type == kKeyPress || type == kKeyRelease) {
            handToInputMethod();
        }
    }
    return false;
}

void EarlyKeys::finish() {
    retry_.stop();
    done_ = true;
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool EarlyKeys::startsHolding(const QKeyEvent& key) const {
    const Counter code = virtualKeyCode(key);
    const Qt::KeyboardModifiers shortcut = Qt::ControlModifier | Qt::AltModifier;
    return code >= kKeyA && code <= kKeyZ && (key.modifiers() & shortcut) == 0 &&
           platformInputContext() != nullptr;
}

bool EarlyKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &box_ || done_) {
        return false;
    }
    if (box_.rules().metInputMethod()) {
        done_ = held_.empty();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (held_.empty() && (event->type() != QEvent::KeyPress || !startsHolding(key))) {
        return false;
    }
    if (held_.empty()) {
        heldFor_.start();
        retry_.start();
        QCoreApplication::instance()->installNativeEventFilter(this);
        // A context that missed the window's focus sees it now.
        box_.clearFocus();
        box_.setFocus(Qt::ActiveWindowFocusReason);
    }
    if (event->type() == QEvent::KeyPress) {
        held_.push_back(std::unique_ptr<QKeyEvent>(key.clone()));
    }
    handToInputMethod();
    return true;
}

// The input method takes a key once the window's context exists; from the
// first it takes, it gets the others at once, so that they stay in order
// with the keys that now reach it directly.
void EarlyKeys::handToInputMethod() {
    QPlatformInputContext* context = platformInputContext();
    if (held_.empty() || context == nullptr) {
        return;
    }
    if (!context->filterEvent(held_.front().get())) {
        if (heldFor_.elapsed() >= kWaitMs) {
            giveUp();
        }
        return;
    }
    held_.pop_front();
    finish();
    while (!held_.empty()) {
        const std::unique_ptr<QKeyEvent> key = std::move(held_.front());
        held_.pop_front();
        if (!context->filterEvent(key.get())) {
            QCoreApplication::sendEvent(&box_, key.get());
        }
    }
}

void EarlyKeys::giveUp() {
    finish();
    while (!held_.empty()) {
        const std::unique_ptr<QKeyEvent> key = std::move(held_.front());
        held_.pop_front();
        QCoreApplication::sendEvent(&box_, key.get());
    }
}

} // namespace keyloom
