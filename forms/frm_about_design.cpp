// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/frm_about_design.h"

#include <array>

namespace keyloom {
namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kGrey = 0x808080;
constexpr Colour kWhite = 0xFFFFFF;

// A line from (x1, y1) to (x2, y2), held as its start and extent.
constexpr ElementDesign line(int index, Twips x1, Twips y1, Twips x2, Twips y2, Colour colour,
                             int widthPx) {
    return {
        .name = "Line1",
        .index = index,
        .kind = ElementKind::Line,
        .look = {.left = x1, .top = y1, .width = x2 - x1, .height = y2 - y1, .foreColor = colour},
        .lineWidthPx = widthPx};
}

constexpr std::array kElements{
    ElementDesign{.name = "picIcon",
                  .kind = ElementKind::PictureBox,
                  .look = {.left = 240, .top = 240, .width = 540, .height = 540, .autoSize = true},
                  .tabIndex = 1},
    ElementDesign{.name = "cmdOK",
                  .kind = ElementKind::Button,
                  .look = {.left = 4125, .top = 2625, .width = 1500, .height = 345},
                  .caption = u"确定",
                  .tabIndex = 0,
                  .defaultButton = true,
                  .cancelButton = true},
    ElementDesign{.name = "cmdSysInfo",
                  .kind = ElementKind::Button,
                  .look = {.left = 4140, .top = 3075, .width = 1485, .height = 345},
                  .caption = u"系统信息(&S)...",
                  .tabIndex = 2},
    ElementDesign{.name = "lblTitle",
                  .look = {.left = 1050,
                           .top = 240,
                           .width = 1965,
                           .height = 180,
                           .foreColor = kBlack,
                           .autoSize = true},
                  .caption = u"Keyloom ",
                  .wordWrap = true,
                  .tabIndex = 4},
    ElementDesign{.name = "lblVersion",
                  .look = {.left = 1050, .top = 780, .width = 3885, .height = 225},
                  .caption = u"版本 V1.0",
                  .wordWrap = true,
                  .tabIndex = 5},
    ElementDesign{
        .name = "lblDescription",
        .look = {.left = 1050, .top = 1125, .width = 3885, .height = 1170, .foreColor = kBlack},
        .wordWrap = true,
        .tabIndex = 3},
    // An etched separator: a grey line with a white one 15 twips below it.
    line(1, 90, 2445, 5654, 2445, kGrey, 1),
    line(0, 105, 2460, 5654, 2460, kWhite, 2),
};

constexpr WindowDescription kFrmAbout{.caption = u"关于我的应用程序",
                                      .clientWidth = 5730,
                                      .clientHeight = 3555,
                                      .elements = kElements,
                                      .fixedDialogFrame = true,
                                      .showInTaskbar = false};

} // namespace

const WindowDescription& frmAboutDesign() {
    return kFrmAbout;
}

} // namespace keyloom
