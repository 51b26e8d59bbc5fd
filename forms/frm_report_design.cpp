// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/frm_report_design.h"

#include "version.h"

#include <array>

namespace keyloom {
namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kPaneBlack = 0x000000;

constexpr ElementDesign heading(std::string_view name, Twips left, Twips top,
                                std::u16string_view caption) {
    return {.name = name,
            .look = {.left = left, .top = top, .width = 2700, .height = 255, .foreColor = kBlack},
            .caption = caption};
}

// A list that keeps its place and size: one line an entry.
constexpr ElementDesign list(std::string_view name, Twips left, Twips width) {
    return {.name = name,
            .look = {.left = left, .top = 540, .width = width, .height = 3240, .foreColor = kBlack},
            .wordWrap = true};
}

constexpr std::array kElements{
    heading("lblFiguresTitle", 240, 240, u"成绩"),
    list("lblFigures", 240, 2880),
    heading("lblWrongTitle", 3300, 240, u"错字 (原字 → 打成)"),
    list("lblWrong", 3300, 2640),
    heading("lblSlowTitle", 6120, 240, u"最慢的十个字"),
    list("lblSlow", 6120, 2640),
    heading("lblChartTitle", 240, 3900, u"每行速度 (字/分)"),
    // The chart of each row's speed, drawn by the window.
    ElementDesign{
        .name = "picChart",
        .kind = ElementKind::PictureBox,
        .look = {.left = 240, .top = 4170, .width = 8520, .height = 1290, .backColor = kPaneBlack}},
    ElementDesign{.name = "cmdCopy",
                  .kind = ElementKind::Button,
                  .look = {.left = 240, .top = 5670, .width = 1800, .height = 375},
                  .caption = u"复制成绩(&C)",
                  .tabIndex = 1},
    ElementDesign{.name = "cmdDrill",
                  .kind = ElementKind::Button,
                  .look = {.left = 2160, .top = 5670, .width = 1800, .height = 375},
                  .caption = u"练习错字(&D)",
                  .tabIndex = 2},
    ElementDesign{.name = "cmdSave",
                  .kind = ElementKind::Button,
                  .look = {.left = 4080, .top = 5670, .width = 1800, .height = 375},
                  .caption = u"记入成绩(&S)",
                  .tabIndex = 3},
    ElementDesign{.name = "cmdOK",
                  .kind = ElementKind::Button,
                  .look = {.left = 7260, .top = 5670, .width = 1500, .height = 375},
                  .caption = u"确定",
                  .tabIndex = 0,
                  .defaultButton = true,
                  .cancelButton = true},
};

constexpr WindowDescription kFrmReport{.caption = u"成绩",
                                       .clientWidth = 9000,
                                       .clientHeight = 6300,
                                       .elements = kElements,
                                       .fixedDialogFrame = true,
                                       .showInTaskbar = false};

} // namespace

const WindowDescription& frmReportDesign() {
    return kFrmReport;
}

std::u16string reportCaption() {
    return std::u16string(u"成绩 ") + kApplicationTitle;
}

std::u16string_view resultLineProgramName() {
    return kMainWindowCaption;
}

} // namespace keyloom
