// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input_method_notice.h"

#include <string_view>

namespace keyloom {
namespace {

constexpr std::string_view kNoticeLabel = "lblInputMethod";

std::u16string_view howToTurnOneOn(Desktop desktop) {
    switch (desktop) {
    case Desktop::Linux:
        return u"字母键打不出字：需要输入法。请启用 fcitx5 或 IBus 的拼音（im-config -n fcitx5），"
               u"再按 Ctrl+Space 切换到中文";
    case Desktop::Windows:
        return u"字母键打不出字：需要输入法。请在设置里添加中文输入法（如微软拼音），再按 "
               u"Win+Space "
               u"切换到中文";
    }
    return {};
}

} // namespace

void showInputMethodNotice(MainControls& controls, const TypingRules& rules, Desktop desktop) {
    const auto found = controls.otherLabels.find(kNoticeLabel);
    if (found == controls.otherLabels.end()) {
        return;
    }
    Label& notice = found->second;
    notice.visible = rules.needsInputMethod();
    if (notice.visible) {
        notice.caption = howToTurnOneOn(desktop);
    }
}

} // namespace keyloom
