// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/extra_label_design.h"

#include "forms/frm_main_design.h"

#include <vector>

namespace keyloom::test {

const WindowDescription& frmMainWithExtraLabel() {
    static const std::vector<ElementDesign> elements = [] {
        const WindowDescription& main = frmMainDesign();
        std::vector<ElementDesign> all(main.elements.begin(), main.elements.end());
        all.push_back({.name = kExtraLabel,
                       .look = {.left = kExtraLeft,
                                .top = kExtraTop,
                                .width = kExtraWidth,
                                .height = kExtraHeight,
                                .foreColor = 0x0000FF},
                       .caption = kExtraCaption});
        return all;
    }();
    static const WindowDescription design = [] {
        WindowDescription copy = frmMainDesign();
        copy.elements = elements;
        return copy;
    }();
    return design;
}

} // namespace keyloom::test
