#include "practice/main_controls.h"

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

} // namespace

MainControls frmMainControls(const WindowDescription& design) {
    const ElementDesign& line = element(design, "Line1");
    return {
        .picEgg = paneOf(element(design, "picEgg")),
        .picType = paneOf(element(design, "picType")),
        .lblEgg = arrayOf(design, "lblEgg"),
        .lblType = arrayOf(design, "lblType"),
        .lblOK = arrayOf(design, "lblOK"),
        .lblErr = arrayOf(design, "lblErr"),
        .Line1 = {.x1 = line.left,
                  .y1 = line.top,
                  .x2 = line.left + line.width,
                  .y2 = line.top + line.height,
                  .color = line.foreColor,
                  .visible = line.visible},
        .txtType = {},
        .lblTrue = labelOf(element(design, "lblTrue")),
        .lblFalse = labelOf(element(design, "lblFalse")),
        .Label1 = labelOf(element(design, "Label1")),
        .lblTF = labelOf(element(design, "lblTF")),
        .Label4 = labelOf(element(design, "Label4")),
        .Label2 = labelOf(element(design, "Label2")),
        .lblSudu = labelOf(element(design, "lblSudu")),
        .Label3 = labelOf(element(design, "Label3")),
        .Label5 = labelOf(element(design, "Label5")),
        .lblTime = labelOf(element(design, "lblTime")),
        .Label6 = labelOf(element(design, "Label6")),
        .lblTtime = labelOf(element(design, "lblTtime")),
    };
}

} // namespace keyloom
