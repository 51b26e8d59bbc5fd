// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/window_description.h"

#include <algorithm>

namespace keyloom {

const ElementDesign* findElement(const WindowDescription& window, std::string_view name,
                                 int index) {
    const auto found = std::ranges::find_if(window.elements, [&](const ElementDesign& e) {
        return e.name == name && e.index == index;
    });
    return found == window.elements.end() ? nullptr : &*found;
}

} // namespace keyloom
