// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/main_controls.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace keyloom {
namespace {

const ElementDesign& element(const WindowDescription& design, std::string_view name,
                             int index = -1) {
    const ElementDesign* found = findElement(design, name, index);
    if (found == nullptr) {
        throw std::logic_error("the main window's design has no " + std::string(name));
    }
    return *found;
}

Label labelOf(const ElementDesign& e) {
    Label label{e.look};
    label.caption = e.caption;
    return label;
}

LabelArray arrayOf(const WindowDescription& design, std::string_view name) {
    std::map<int, Label> elements;
    for (const ElementDesign& e : design.elements) {
        if (e.name == name && e.index >= 0) {
            elements.emplace(e.index, labelOf(e));
        }
    }
    return LabelArray(std::move(elements));
}

PictureBox paneOf(const ElementDesign& e) {
    return {.left = e.look.left,
            .top = e.look.top,
            .width = e.look.width,
            .height = e.look.height,
            .backColor = e.look.backColor,
            .foreColor = e.look.foreColor};
}

// The controls the handlers name, by design name: one list both makes and
// finds them.
template <class Control> struct Named {
    std::string_view name;
    Control MainControls::*member;
};
constexpr std::array<Named<Label>, 5> kLabels{{
    {"lblTrue", &MainControls::lblTrue},
    {"lblFalse", &MainControls::lblFalse},
    {"lblTF", &MainControls::lblTF},
    {"lblSudu", &MainControls::lblSudu},
    {"lblTime", &MainControls::lblTime},
}};
constexpr std::array<Named<LabelArray>, 4> kLabelArrays{{
    {"lblEgg", &MainControls::lblEgg},
    {"lblType", &MainControls::lblType},
    {"lblOK", &MainControls::lblOK},
    {"lblErr", &MainControls::lblErr},
}};
constexpr std::array<Named<PictureBox>, 2> kPictureBoxes{{
    {"picEgg", &MainControls::picEgg},
    {"picType", &MainControls::picType},
}};
constexpr std::array<Named<LineShape>, 1> kLines{{{"Line1", &MainControls::Line1}}};

template <class Control, std::size_t N>
const Control* find(const MainControls& controls, const std::array<Named<Control>, N>& table,
                    std::string_view name) {
    const auto found = std::ranges::find(table, name, &Named<Control>::name);
    return found == table.end() ? nullptr : &(controls.*(found->member));
}

} // namespace

const Label* findLabel(const MainControls& controls, std::string_view name) {
    if (const Label* named = find(controls, kLabels, name)) {
        return named;
    }
    const auto other = controls.otherLabels.find(name);
    return other == controls.otherLabels.end() ? nullptr : &other->second;
}

const LabelArray* findLabelArray(const MainControls& controls, std::string_view name) {
    return find(controls, kLabelArrays, name);
}

const PictureBox* findPictureBox(const MainControls& controls, std::string_view name) {
    return find(controls, kPictureBoxes, name);
}

const LineShape* findLine(const MainControls& controls, std::string_view name) {
    return find(controls, kLines, name);
}

MainControls frmMainControls(const WindowDescription& design) {
    const ElementDesign& line = element(design, "Line1");
    MainControls controls;
    controls.Line1 = {.x1 = line.look.left,
                      .y1 = line.look.top,
                      .x2 = line.look.left + line.look.width,
                      .y2 = line.look.top + line.look.height,
                      .color = line.look.foreColor,
                      .visible = line.look.visible};
    for (const auto& [name, member] : kPictureBoxes) {
        controls.*member = paneOf(element(design, name));
    }
    for (const auto& [name, member] : kLabelArrays) {
        controls.*member = arrayOf(design, name);
    }
    for (const auto& [name, member] : kLabels) {
        controls.*member = labelOf(element(design, name));
    }
    for (const ElementDesign& e : design.elements) {
        if (e.kind == ElementKind::Label && e.index < 0 &&
            std::ranges::find(kLabels, e.name, &Named<Label>::name) == kLabels.end()) {
            controls.otherLabels.emplace(e.name, labelOf(e));
        }
    }
    return controls;
}

} // namespace keyloom
