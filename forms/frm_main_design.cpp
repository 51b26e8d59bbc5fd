// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/frm_main_design.h"

#include "version.h"

#include <array>

namespace keyloom {
namespace {

constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlackPane = systemColour(7);  // menu text
constexpr Colour kWindowBack = systemColour(5); // row labels carry it, never drawn
constexpr Colour kValueBack = systemColour(9);  // active title-bar text

constexpr std::u16string_view kPlaceholder =
    u"目前本程序还在最基本的测试当中，敬请期待！！目前本程序还在最基本的测试当中，敬请期待！！";

constexpr ElementDesign row(int index, Twips top, std::u16string_view caption, int tab) {
    return {.name = "lblEgg",
            .index = index,
            .container = "picEgg",
            .look = {.left = 120,
                     .top = top,
                     .width = 10560,
                     .height = 240,
                     .foreColor = kYellow,
                     .backColor = kWindowBack,
                     .transparent = true,
                     .font = FontRole::Row},
            .caption = caption,
            .tabIndex = tab};
}

constexpr ElementDesign topLabel(std::string_view name, Twips left, Twips top, Twips width,
                                 Twips height, std::u16string_view caption, int tab) {
    return {.name = name,
            .look = {.left = left, .top = top, .width = width, .height = height, .autoSize = true},
            .caption = caption,
            .tabIndex = tab};
}

constexpr ElementDesign valueBox(std::string_view name, Twips left, Twips top, Twips width,
                                 std::u16string_view caption, int tab) {
    return {.name = name,
            .look = {.left = left,
                     .top = top,
                     .width = width,
                     .height = 270,
                     .backColor = kValueBack,
                     .font = FontRole::Value},
            .caption = caption,
            .tabIndex = tab};
}

// A label of the code hint (F6) in the strip between the panes, hidden
// until a table is chosen; the strip's layout places it.
constexpr ElementDesign hintLabel(std::string_view name, Twips width, int tab) {
    return {.name = name,
            .look = {.left = 60,
                     .top = 3560,
                     .width = width,
                     .height = 240,
                     .visible = false,
                     .autoSize = true},
            .tabIndex = tab};
}

constexpr std::array kElements{
    ElementDesign{.name = "Timer2", .kind = ElementKind::Timer, .intervalMs = 400},
    ElementDesign{.name = "Timer1", .kind = ElementKind::Timer, .intervalMs = 1000},
    ElementDesign{.name = "txtType",
                  .kind = ElementKind::TextBox,
                  .look = {.left = 120, .top = 6960, .width = 5775, .height = 495},
                  .tabIndex = 4},
    ElementDesign{.name = "picType",
                  .kind = ElementKind::PictureBox,
                  .look = {.left = 60,
                           .top = 3840,
                           .width = 10700,
                           .height = 2800,
                           .foreColor = kYellow,
                           .backColor = kBlackPane},
                  .tabIndex = 2},
    ElementDesign{
        .name = "Line1",
        .kind = ElementKind::Line,
        .container = "picType",
        .look = {.left = 120, .top = 50, .width = 0, .height = 250, .foreColor = kYellow}},
    ElementDesign{.name = "lblType",
                  .index = 0,
                  .container = "picType",
                  .look = {.left = 120,
                           .top = 120,
                           .width = 7995,
                           .height = 240,
                           .foreColor = kYellow,
                           .backColor = kWindowBack,
                           .transparent = true,
                           .font = FontRole::Row},
                  .tabIndex = 3},
    ElementDesign{
        .name = "picEgg",
        .kind = ElementKind::PictureBox,
        .look = {.left = 60, .top = 720, .width = 10700, .height = 2800, .backColor = kBlackPane},
        .tabIndex = 0},
    row(7, 2640, u"", 25),
    row(6, 2280, kPlaceholder, 24),
    row(5, 1920, kPlaceholder, 23),
    row(4, 1560, kPlaceholder, 22),
    row(3, 1200, kPlaceholder, 21),
    row(2, 840, kPlaceholder, 20),
    row(1, 480, kPlaceholder, 19),
    ElementDesign{.name = "lblErr",
                  .index = 0,
                  .container = "picEgg",
                  .look = {.left = 120,
                           .top = 480,
                           .width = 120,
                           .height = 240,
                           .backColor = kRed,
                           .font = FontRole::Row,
                           .visible = false},
                  .tabIndex = 6},
    row(0, 120, kPlaceholder, 1),
    ElementDesign{.name = "lblOK",
                  .index = 0,
                  .container = "picEgg",
                  .look = {.left = 120,
                           .top = 120,
                           .width = 120,
                           .height = 240,
                           .foreColor = kYellow,
                           .backColor = kGreen,
                           .font = FontRole::Row,
                           .visible = false},
                  .tabIndex = 5},
    valueBox("lblTtime", 3000, 360, 765, u"5:00", 18),
    valueBox("lblTime", 1080, 360, 765, u"00:00", 17),
    topLabel("Label6", 2040, 480, 975, 255, u"总共时间：", 16),
    topLabel("Label5", 120, 360, 900, 180, u"已用时间：", 15),
    topLabel("Label3", 6240, 120, 450, 180, u"字/分", 14),
    valueBox("lblSudu", 5640, 120, 525, u"", 13),
    valueBox("lblTF", 3000, 0, 525, u"", 12),
    ElementDesign{.name = "Label4",
                  .look = {.left = 3600,
                           .top = 120,
                           .width = 210,
                           .height = 210,
                           .font = FontRole::Value,
                           .autoSize = true},
                  .caption = u"‰",
                  .tabIndex = 11},
    topLabel("lblFalse", 1080, 120, 360, 180, u"错：", 10),
    topLabel("lblTrue", 120, 120, 360, 180, u"对：", 9),
    topLabel("Label2", 5040, 120, 540, 180, u"速度：", 8),
    topLabel("Label1", 2280, 120, 720, 180, u"正确率：", 7),
    // The keys of the window, in the free strip right of the speed.
    topLabel("lblKeys", 6780, 120, 4200, 180, u"F1 关于  F2 成绩  F3 重打  F4 载文  Ctrl+O 打开",
             26),
    // Under the keys: how many characters of a new text no input method
    // types; empty otherwise.
    ElementDesign{.name = "lblRefused",
                  .look = {.left = 4200, .top = 420, .width = 6540, .height = 180},
                  .caption = u"",
                  .tabIndex = 27},
    // The code hint; it moves to the next character's column, right of its
    // table's name.
    hintLabel("lblHint", 4200, 28),
    // Between the panes, shown while the learner types without an input
    // method; its caption says how to turn one on.
    ElementDesign{.name = "lblInputMethod",
                  .look = {.left = 120,
                           .top = 3570,
                           .width = 10560,
                           .height = 240,
                           .foreColor = kRed,
                           .visible = false},
                  .tabIndex = 29},
    // Between the panes, a course's place (set, segment, target, attempt)
    // and how the last attempt at it ended; empty outside a course.
    topLabel("lblCourse", 120, 3570, 3900, 180, u"", 30),
    topLabel("lblLastAttempt", 4080, 3570, 6600, 180, u"", 31),
    // The code hint's table, at the left end of the strip; it stands still
    // while the hint beside it follows the caret.
    hintLabel("lblHintTable", 1200, 32),
};

constexpr WindowDescription kFrmMain{.caption = kMainWindowCaption,
                                     .clientWidth = 11145,
                                     .clientHeight = 6750,
                                     .elements = kElements};

} // namespace

const WindowDescription& frmMainDesign() {
    return kFrmMain;
}

} // namespace keyloom
