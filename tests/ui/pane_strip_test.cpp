// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The strip between the panes: the input-method notice, a course's labels and
// the code hint and its table's name never cover one another, at the design's
// dpi and at 144.
#include "forms/frm_main_design.h"
#include "practice/main_controls.h"
#include "tests/support/fixed_measure.h"
#include "ui/pane_strip.h"
#include "ui/scene.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {
namespace {

constexpr std::u16string_view kPlace = u"常用字前500 第3/10段 速度60 第1次";
constexpr std::u16string_view kShortResult = u"达标 速度62字/分";
constexpr std::u16string_view kResult =
    u"未达标 速度62字/分 击键3.41 码长3.31 回改2 正确率985‰ 字数131 错字2 用时2:07";
constexpr std::u16string_view kTable = u"五笔86";
constexpr std::u16string_view kLongTable =
    u"我自己整理的一张很长很长的码表名字用来练习打字的文件名字";
constexpr std::u16string_view kHint = u"的 r · rqyy";
constexpr std::u16string_view kLongHint =
    u"这张码表有十二行读不懂，已经跳过；其余的码照常提示，请检查码表文件";
constexpr std::u16string_view kNotice = u"字母键打不出字：需要输入法。请启用拼音，再按 Ctrl+Space";

enum class Shown : std::uint8_t { Whole, AtCaret, MovedLeft, MovedRight, CutShort, Waits };

struct StripCase {
    std::string_view what;
    std::u16string_view place;  // lblCourse
    std::u16string_view result; // lblLastAttempt
    std::u16string_view hint;
    int caretColumn = 0;
    bool notice = false;
    Shown hintShown = Shown::AtCaret;
    Shown resultShown = Shown::Whole;
    std::u16string_view table = kTable; // lblHintTable
    Shown tableShown = Shown::Whole;
};

const std::array kCases{
    StripCase{"no course: the hint at the caret", u"", u"", kHint, 20},
    StripCase{"the caret under the table's name: the hint right of it", u"", u"", kHint, 1, false,
              Shown::MovedRight},
    StripCase{"a course, the caret on the left: the hint at the caret", kPlace, kShortResult, kHint,
              5},
    StripCase{"a course, the caret under its labels: the hint moved left of them", kPlace,
              kShortResult, kHint, 38, false, Shown::MovedLeft},
    StripCase{"a course, the caret at the row's end", kPlace, u"", kHint, 43, false,
              Shown::MovedLeft},
    StripCase{"a long last attempt's line gives way to the hint", kPlace, kResult, kHint, 4, false,
              Shown::AtCaret, Shown::CutShort},
    StripCase{"a hint wider than the room left: cut short", kPlace, kShortResult, kLongHint, 0,
              false, Shown::CutShort},
    StripCase{"the notice has the strip: the course and the hint wait", kPlace, kShortResult, kHint,
              5, true, Shown::Waits},
    StripCase{"a table's name wider than half the strip: cut short", u"", u"", kHint, 30, false,
              Shown::AtCaret, Shown::Whole, kLongTable, Shown::CutShort},
};

Label& labelOf(MainControls& controls, std::string_view name) {
    return controls.otherLabels.find(name)->second;
}

// `shown` is `whole`, or a start of it with "…" after.
void expectCut(std::u16string_view shown, std::u16string_view whole, Shown expected,
               std::string_view what) {
    if (expected == Shown::CutShort) {
        ASSERT_TRUE(shown.ends_with(u"…")) << what;
        EXPECT_LT(shown.size(), whole.size()) << what;
        EXPECT_TRUE(whole.starts_with(shown.substr(0, shown.size() - 1))) << what;
    } else {
        EXPECT_EQ(shown, whole) << what;
    }
}

TEST(PaneStrip, ItsLabelsNeverMeet) {
    const FixedMeasure measure;
    for (const StripCase& c : kCases) {
        MainControls controls = frmMainControls();
        labelOf(controls, "lblCourse").caption = c.place;
        labelOf(controls, "lblLastAttempt").caption = c.result;
        Label& hint = labelOf(controls, "lblHint");
        hint.caption = c.hint;
        hint.visible = true;
        Label& table = labelOf(controls, "lblHintTable");
        table.caption = c.table;
        table.visible = true;
        Label& notice = labelOf(controls, "lblInputMethod");
        notice.caption = kNotice;
        notice.visible = c.notice;
        controls.Line1.x1 = 120 + static_cast<Twips>(c.caretColumn) * 240;
        PaneStrip strip;
        strip.arrange(controls, measure);

        for (const int dpi : {96, 144}) {
            Scene scene(frmMainDesign(), controls, measure, dpi);
            scene.update();
            const PixelRect pane = scene.find("picType")->box;
            std::vector<const SceneItem*> shown;
            for (const std::string_view name :
                 {"lblInputMethod", "lblCourse", "lblLastAttempt", "lblHintTable", "lblHint"}) {
                const SceneItem* item = scene.find(name);
                if (item->visible && !item->caption.empty()) {
                    shown.push_back(item);
                    EXPECT_GE(item->box.left, pane.left) << c.what << " " << name << " " << dpi;
                    EXPECT_LE(item->box.right, pane.right) << c.what << " " << name << " " << dpi;
                }
            }
            for (std::size_t i = 0; i < shown.size(); ++i) {
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    EXPECT_TRUE(shown[i]->box.intersected(shown[j]->box).empty())
                        << c.what << ": " << shown[i]->name << " meets " << shown[j]->name << " at "
                        << dpi << " dpi";
                }
            }
            // A course's labels end at the strip's right end.
            if (!c.place.empty() && !c.notice) {
                const SceneItem* last =
                    scene.find(c.result.empty() ? "lblCourse" : "lblLastAttempt");
                EXPECT_NEAR(last->box.right, pane.right, 1) << c.what << " " << dpi;
            }
            const SceneItem* hinted = scene.find("lblHint");
            const int caret = toPixels(controls.picType.left + controls.Line1.x1, dpi);
            EXPECT_EQ(hinted->visible, c.hintShown != Shown::Waits) << c.what;
            const SceneItem* named = scene.find("lblHintTable");
            EXPECT_EQ(named->visible, c.hintShown != Shown::Waits) << c.what;
            if (named->visible) {
                EXPECT_EQ(named->box.left, pane.left) << c.what << " " << dpi;
                expectCut(named->caption, c.table, c.tableShown, c.what);
            }
            EXPECT_EQ(scene.find("lblCourse")->visible, !c.notice) << c.what;
            if (c.hintShown == Shown::AtCaret) {
                EXPECT_EQ(hinted->box.left, caret) << c.what << " " << dpi;
            } else if (c.hintShown == Shown::MovedLeft) {
                EXPECT_LT(hinted->box.left, caret) << c.what << " " << dpi;
            } else if (c.hintShown == Shown::MovedRight) {
                EXPECT_GT(hinted->box.left, caret) << c.what << " " << dpi;
            }
        }
        if (c.hintShown != Shown::Waits) {
            expectCut(hint.caption, c.hint, c.hintShown, c.what);
        }
        expectCut(labelOf(controls, "lblLastAttempt").caption, c.result, c.resultShown, c.what);

        // Once the notice and the hint go, the course shows whole again.
        notice.visible = false;
        hint.visible = false;
        table.visible = false;
        strip.arrange(controls, measure);
        EXPECT_TRUE(labelOf(controls, "lblCourse").visible) << c.what;
        const std::u16string& result = labelOf(controls, "lblLastAttempt").caption;
        EXPECT_GE(result.size(), std::min(c.result.size(), std::size_t{30})) << c.what;
        EXPECT_TRUE(c.result.starts_with(std::u16string_view(result).substr(
            0, result.size() - (result.ends_with(u"…") ? 1 : 0))))
            << c.what;
    }
}

} // namespace
} // namespace keyloom
