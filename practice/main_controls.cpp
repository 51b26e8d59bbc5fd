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
    return {.caption = std::u16string(e.caption),
            .left = e.left,
            .top = e.top,
            .width = e.width,
            .height = e.height,
            .foreColor = e.foreColor,
            .backColor = e.backColor,
            .transparent = e.transparent,
            .visible = e.visible,
            .autoSize = e.autoSize,
            .font = e.font};
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
    return {.left = e.left,
            .top = e.top,
            .width = e.width,
            .height = e.height,
            .backColor = e.backColor,
            .foreColor = e.foreColor};
}

// The single labels by design name: one list both makes and finds them.
template <class Control> struct Named {
    std::string_view name;
    Control MainControls::*member;
};
constexpr std::array<Named<Label>, 13> kLabels{{
    {"lblTrue", &MainControls::lblTrue},
    {"lblFalse", &MainControls::lblFalse},
    {"Label1", &MainControls::Label1},
    {"lblTF", &MainControls::lblTF},
    {"Label4", &MainControls::Label4},
    {"Label2", &MainControls::Label2},
    {"lblSudu", &MainControls::lblSudu},
    {"Label3", &MainControls::Label3},
    {"Label5", &MainControls::Label5},
    {"lblTime", &MainControls::lblTime},
    {"Label6", &MainControls::Label6},
    {"lblTtime", &MainControls::lblTtime},
    {"lblKeys", &MainControls::lblKeys},
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
Control* find(MainControls& controls, const std::array<Named<Control>, N>& table,
              std::string_view name) {
    const auto found = std::ranges::find(table, name, &Named<Control>::name);
    return found == table.end() ? nullptr : &(controls.*(found->member));
}

} // namespace

Label* findLabel(MainControls& controls, std::string_view name) {
    return find(controls, kLabels, name);
}

LabelArray* findLabelArray(MainControls& controls, std::string_view name) {
    return find(controls, kLabelArrays, name);
}

PictureBox* findPictureBox(MainControls& controls, std::string_view name) {
    return find(controls, kPictureBoxes, name);
}

LineShape* findLine(MainControls& controls, std::string_view name) {
    return find(controls, kLines, name);
}

MainControls frmMainControls(const WindowDescription& design) {
    const ElementDesign& line = element(design, "Line1");
    MainControls controls;
    controls.Line1 = {.x1 = line.left,
                      .y1 = line.top,
                      .x2 = line.left + line.width,
                      .y2 = line.top + line.height,
                      .color = line.foreColor,
                      .visible = line.visible};
    for (const auto& [name, member] : kPictureBoxes) {
        controls.*member = paneOf(element(design, name));
    }
    for (const auto& [name, member] : kLabelArrays) {
        controls.*member = arrayOf(design, name);
    }
    for (const auto& [name, member] : kLabels) {
        controls.*member = labelOf(element(design, name));
    }
    return controls;
}

} // namespace keyloom
