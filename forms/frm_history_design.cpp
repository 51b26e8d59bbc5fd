// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/frm_history_design.h"

#include "version.h"

#include <array>

namespace keyloom {
namespace {

constexpr Colour kBlack = 0x000000;

constexpr ElementDesign heading(std::string_view name, Twips left, Twips top, Twips width,
                                std::u16string_view caption) {
    return {.name = name,
            .look = {.left = left, .top = top, .width = width, .height = 255, .foreColor = kBlack},
            .caption = caption};
}

constexpr ElementDesign button(std::string_view name, Twips left, std::u16string_view caption,
                               int tabIndex) {
    return {.name = name,
            .kind = ElementKind::Button,
            .look = {.left = left, .top = 6660, .width = 1800, .height = 375},
            .caption = caption,
            .tabIndex = tabIndex};
}

constexpr std::array kElements{
    heading("lblRunsTitle", 240, 240, 8520, u"记入的成绩，新的在前 (Delete 删除选中的一次)"),
    // The saved runs, one line a run, made by the window.
    ElementDesign{.name = "lstRuns",
                  .kind = ElementKind::PictureBox,
                  .look = {.left = 240, .top = 510, .width = 8520, .height = 2370},
                  .tabIndex = 0},
    heading("lblChartTitle", 240, 3030, 5400, u"每天的速度 (字/分，绿) 与正确率 (黄)"),
    // The chart of each day's speed and accuracy, drawn by the window.
    ElementDesign{.name = "picChart",
                  .kind = ElementKind::PictureBox,
                  .look = {.left = 240, .top = 3300, .width = 5400, .height = 1800}},
    ElementDesign{
        .name = "lblTotals",
        .look = {.left = 240, .top = 5220, .width = 5400, .height = 510, .foreColor = kBlack},
        .wordWrap = true},
    heading("lblWeakTitle", 5880, 3030, 2880, u"弱字 (打过 / 打错)"),
    ElementDesign{
        .name = "lblWeak",
        .look = {.left = 5880, .top = 3300, .width = 2880, .height = 2430, .foreColor = kBlack},
        .wordWrap = true},
    ElementDesign{
        .name = "lblNotice",
        .look = {.left = 240, .top = 5880, .width = 8520, .height = 510, .foreColor = kBlack},
        .wordWrap = true},
    button("cmdDelete", 240, u"删除(&X)", 1),
    button("cmdDrill", 2160, u"练习弱字(&D)", 2),
    ElementDesign{.name = "cmdClose",
                  .kind = ElementKind::Button,
                  .look = {.left = 7260, .top = 6660, .width = 1500, .height = 375},
                  .caption = u"关闭",
                  .tabIndex = 3,
                  .defaultButton = true,
                  .cancelButton = true},
};

constexpr WindowDescription kFrmHistory{.caption = u"记录",
                                        .clientWidth = 9000,
                                        .clientHeight = 7260,
                                        .elements = kElements,
                                        .fixedDialogFrame = true,
                                        .showInTaskbar = false};

} // namespace

const WindowDescription& frmHistoryDesign() {
    return kFrmHistory;
}

std::u16string historyCaption() {
    return std::u16string(u"记录 ") + kApplicationTitle;
}

} // namespace keyloom
