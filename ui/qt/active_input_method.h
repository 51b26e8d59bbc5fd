// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <functional>
#include <string>

namespace keyloom {

// Asks the input-method framework which input method is active, without
// waiting for it: `answer` is called once with its name (fcitx5's "wbx",
// "pinyin", "rime"...; an IBus engine's "libpinyin", "table:wubi-jidian86"...)
// once one is named, and never when no framework answers or `context` is
// gone first. fcitx5 is asked through its controller on the session bus; it
// names the method of the input context focused last, so the first question
// waits a moment for the window's own to be focused, and an answer of none
// is asked again a few times. IBus, whose global engine `ibus engine` names,
// is asked where Qt's input-method module is IBus's, or no fcitx5 answers.
void askActiveInputMethod(QObject& context, std::function<void(const std::string&)> answer);

} // namespace keyloom
