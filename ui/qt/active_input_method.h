// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <functional>
#include <string>

namespace keyloom {

// Asks fcitx5's controller on the session bus which input method is active,
// without waiting for it: `answer` is called with its name ("wbx", "pinyin",
// "rime"...) once fcitx5 names one, and never when no fcitx5 answers, there
// is no session bus, or `context` is gone first. fcitx5 names the method of
// the input context focused last, so the first question waits a moment for
// the window's own to be focused, and an answer of none is asked again a few
// times.
void askActiveInputMethod(QObject& context, std::function<void(const std::string&)> answer);

} // namespace keyloom
