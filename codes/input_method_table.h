// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace keyloom {

// The table of ours whose codes an input method types, by the name its
// framework gives it (fcitx5's "wbx", "pinyin"...; an IBus engine's
// "table:wubi-jidian86", "libpinyin"...): "五笔86" for Wubi 86, "拼音" for
// full pinyin; empty for any other (double pinyin, Rime, Wubi 98, a keyboard
// layout), whose codes no table of ours gives.
std::string_view tableForInputMethod(std::string_view inputMethod);

} // namespace keyloom
