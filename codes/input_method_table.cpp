// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/input_method_table.h"

#include <algorithm>
#include <array>
#include <string>

namespace keyloom {
namespace {

bool has(std::string_view name, std::string_view part) {
    return name.find(part) != std::string_view::npos;
}

} // namespace

std::string_view tableForInputMethod(std::string_view inputMethod) {
    std::string name(inputMethod);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    // Wubi 86: fcitx5's wbx, and wbpy, whose Wubi codes are the same; any
    // other Wubi but 98's.
    if (name == "wbx" || name == "wbpy" || (has(name, "wubi") && !has(name, "98"))) {
        return "五笔86";
    }
    // Full pinyin; double pinyin and Rime type other codes.
    constexpr std::array kOtherPinyin{std::string_view("shuangpin"), std::string_view("double"),
                                      std::string_view("zhuyin"), std::string_view("bopomofo")};
    if (has(name, "pinyin") &&
        std::none_of(kOtherPinyin.begin(), kOtherPinyin.end(),
                     [&name](std::string_view other) { return has(name, other); })) {
        return "拼音";
    }
    return {};
}

} // namespace keyloom
