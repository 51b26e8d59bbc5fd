// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/active_input_method.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace keyloom {
namespace {

// fcitx5 and IBus answer at once; a busy one is not waited for long.
constexpr int kReplyTimeoutMs = 2000;
// The window's input context is focused well within this once it is shown.
constexpr int kAskAfterMs = 500;
constexpr int kAsks = 5;

// A session bus to ask: without one named, or at its usual place, asking
// would have the bus library try to start one.
bool sessionBusKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

using Answer = std::function<void(const std::string&)>;

// IBus's global engine, as `ibus engine` prints it.
void askIbus(QObject& context, Answer answer) {
    auto* ibus = new QProcess(&context);
    QObject::connect(ibus, &QProcess::finished, &context,
                     [ibus, answer = std::move(answer)](int status, QProcess::ExitStatus exit) {
                         ibus->deleteLater();
                         const QString engine =
                             QString::fromUtf8(ibus->readAllStandardOutput()).trimmed();
                         if (exit == QProcess::NormalExit && status == 0 && !engine.isEmpty()) {
                             answer(engine.toStdString());
                         }
                     });
    QObject::connect(ibus, &QProcess::errorOccurred, ibus, [ibus](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            ibus->deleteLater(); // no IBus here
        }
    });
    QTimer::singleShot(kReplyTimeoutMs, ibus, [ibus] { ibus->kill(); });
    ibus->start(QStringLiteral("ibus"), {QStringLiteral("engine")});
}

void askFcitx5(QObject& context, Answer answer, int asksLeft) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        askIbus(context, std::move(answer));
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("CurrentInputMethod"));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyTimeoutMs), &context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context,
                     [&context, watcher, answer = std::move(answer), asksLeft]() mutable {
                         watcher->deleteLater();
                         const QDBusPendingReply<QString> reply = *watcher;
                         if (!reply.isValid()) {
                             askIbus(context, std::move(answer)); // no fcitx5
                         } else if (!reply.value().isEmpty()) {
                             answer(reply.value().toStdString());
                         } else if (asksLeft > 1) {
                             QTimer::singleShot(
                                 kAskAfterMs, &context,
                                 [&context, answer = std::move(answer), asksLeft]() mutable {
                                     askFcitx5(context, std::move(answer), asksLeft - 1);
                                 });
                         }
                     });
}

} // namespace

void askActiveInputMethod(QObject& context, std::function<void(const std::string&)> answer) {
    QTimer::singleShot(kAskAfterMs, &context, [&context, answer = std::move(answer)]() mutable {
        if (qEnvironmentVariable("QT_IM_MODULE").startsWith(QStringLiteral("ibus")) ||
            !sessionBusKnown()) {
            askIbus(context, std::move(answer));
        } else {
            askFcitx5(context, std::move(answer), kAsks);
        }
    });
}

} // namespace keyloom
