// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/frm_lesson_design.h"

#include "version.h"

#include <array>

namespace keyloom {
namespace {

constexpr Colour kBlack = 0x000000;

// A caption whose mnemonic moves the focus to the control after it in tab
// order.
constexpr ElementDesign caption(std::string_view name, Twips left, Twips top,
                                std::u16string_view text, int tab) {
    return {.name = name,
            .look = {.left = left, .top = top, .width = 1500, .height = 255, .foreColor = kBlack},
            .caption = text,
            .tabIndex = tab};
}

constexpr ElementDesign choice(std::string_view name, Twips left, Twips top, Twips width, int tab) {
    return {.name = name,
            .kind = ElementKind::ComboBox,
            .look = {.left = left, .top = top, .width = width, .height = 315},
            .tabIndex = tab};
}

constexpr std::array kElements{
    caption("lblTexts", 240, 180, u"课文(&T)：", 0),
    ElementDesign{.name = "lstTexts",
                  .kind = ElementKind::ListBox,
                  .look = {.left = 240, .top = 450, .width = 4200, .height = 3900},
                  .tabIndex = 1},
    caption("lblLength", 4680, 450, u"段长(&L)：", 2),
    choice("cboLength", 6240, 420, 1500, 3),
    ElementDesign{.name = "chkShuffle",
                  .kind = ElementKind::CheckBox,
                  .look = {.left = 4680, .top = 900, .width = 3000, .height = 300},
                  .caption = u"乱序(&R)",
                  .tabIndex = 4},
    caption("lblSegment", 4680, 1410, u"从第几段(&S)：", 5),
    choice("cboSegment", 6240, 1380, 1500, 6),
    caption("lblAccuracy", 4680, 1890, u"正确率(&A)：", 7),
    choice("cboAccuracy", 6240, 1860, 1500, 8),
    caption("lblSpeed", 4680, 2370, u"速度(&P)：", 9),
    choice("cboSpeed", 6240, 2340, 1500, 10),
    // Why a text is missing from the list, or the user's folder is empty.
    ElementDesign{
        .name = "lblProblems",
        .look = {.left = 240, .top = 4440, .width = 7500, .height = 720, .foreColor = kBlack},
        .wordWrap = true},
    ElementDesign{.name = "cmdStart",
                  .kind = ElementKind::Button,
                  .look = {.left = 4680, .top = 3975, .width = 1400, .height = 375},
                  .caption = u"开始(&B)",
                  .tabIndex = 11,
                  .defaultButton = true},
    ElementDesign{.name = "cmdClose",
                  .kind = ElementKind::Button,
                  .look = {.left = 6340, .top = 3975, .width = 1400, .height = 375},
                  .caption = u"关闭",
                  .tabIndex = 12,
                  .cancelButton = true},
};

constexpr WindowDescription kFrmLesson{.caption = u"课文",
                                       .clientWidth = 7980,
                                       .clientHeight = 5280,
                                       .elements = kElements,
                                       .fixedDialogFrame = true,
                                       .showInTaskbar = false};

} // namespace

const WindowDescription& frmLessonDesign() {
    return kFrmLesson;
}

std::u16string lessonWindowCaption() {
    return std::u16string(u"课文 ") + kApplicationTitle;
}

} // namespace keyloom
