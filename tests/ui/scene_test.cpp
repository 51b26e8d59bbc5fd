// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/practice/practice_fixture.h"
#include "tests/support/extra_label_design.h"
#include "ui/colours.h"
#include "ui/font_sizes.h"
#include "ui/scene.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace keyloom {
namespace {

using Changed = std::set<std::pair<std::string, int>>;

// What one update reports, by name and index.
Changed changedBy(Scene& scene) {
    Changed changed;
    for (const SceneChange& change : scene.update()) {
        const Scene::Group& group = scene.groups().at(change.group);
        changed.emplace(std::string(group.name), change.index);
    }
    return changed;
}

const SceneChange* changeOf(const std::vector<SceneChange>& changes, const Scene& scene,
                            std::string_view name, int index) {
    const auto found = std::ranges::find_if(changes, [&](const SceneChange& c) {
        return scene.groups().at(c.group).name == name && c.index == index;
    });
    return found == changes.end() ? nullptr : &*found;
}

class SceneTest : public test::PracticeFixture {
  public:
    // For the table's events.
    using PracticeFixture::backspace;
    using PracticeFixture::controls;
    using PracticeFixture::form;
    using PracticeFixture::typeRight;
    using PracticeFixture::typeWrong;

  protected:
    void SetUp() override {
        load(test::distinctLesson(400));
        scene.update();
    }
    Scene scene{frmMainDesign(), controls, measure};
};

// One table for what each event changes: the scene reports those items and
// no others.
TEST_F(SceneTest, EachEventChangesItsItemsAndNothingElse) {
    struct Case {
        const char* event;
        void (*act)(SceneTest&);
        Changed expected;
    };
    const Case cases[] = {
        {"nothing (a preedit-only keystroke)", [](SceneTest&) {}, {}},
        {"a right character",
         [](SceneTest& t) { t.typeRight(1); },
         {{"lblType", 0}, {"lblOK", 1}, {"Line1", -1}, {"lblTrue", -1}, {"lblTF", -1}}},
        {"a wrong character",
         [](SceneTest& t) { t.typeWrong(1); },
         {{"lblType", 0}, {"lblOK", 2}, {"Line1", -1}, {"lblFalse", -1}, {"lblTF", -1}}},
        {"Backspace",
         [](SceneTest& t) { t.backspace(); },
         {{"lblType", 0}, {"lblOK", 2}, {"Line1", -1}, {"lblFalse", -1}, {"lblTF", -1}}},
        {"a caret blink", [](SceneTest& t) { t.form.Timer2_Timer(); }, {{"Line1", -1}}},
        // Marks are made and destroyed by index, not in order.
        {"a mark created far ahead",
         [](SceneTest& t) { t.controls.lblOK.create(30); },
         {{"lblOK", 30}}},
        {"a mark created before it",
         [](SceneTest& t) { t.controls.lblOK.create(10); },
         {{"lblOK", 10}}},
        {"both destroyed",
         [](SceneTest& t) {
             t.controls.lblOK.destroy(30);
             t.controls.lblOK.destroy(10);
         },
         {{"lblOK", 10}, {"lblOK", 30}}},
        {"a clock tick",
         [](SceneTest& t) { t.form.Timer1_Timer(); },
         {{"lblTime", -1}, {"lblSudu", -1}}},
    };
    for (const Case& c : cases) {
        c.act(*this);
        EXPECT_EQ(changedBy(scene), c.expected) << c.event;
    }
}

// Every item as a scene shows it, by name and index.
using Items =
    std::map<std::pair<std::string, int>, std::tuple<int, int, int, int, int, int, int, int, bool,
                                                     std::uint8_t, std::uint8_t, std::u16string>>;
Items itemsOf(const Scene& scene) {
    Items items;
    for (const Scene::Group& group : scene.groups()) {
        for (const auto& [index, item] : group.items) {
            items[{std::string(group.name), index}] = {
                item.box.left,   item.box.top,   item.box.right,   item.box.bottom,
                item.reach.left, item.reach.top, item.reach.right, item.reach.bottom,
                item.visible,    item.fore.red,  item.back.green,  item.caption};
        }
    }
    return items;
}

// An update compares the elements of a label array the handlers touched
// since the last one; it then shows what a scene comparing every element
// shows, through ring advances, Backspaces, marks made and destroyed out of
// order and an array replaced by a copy.
TEST_F(SceneTest, ComparingTheTouchedElementsShowsWhatComparingAllShows) {
    const std::function<void(SceneTest&)> events[] = {
        [](SceneTest& t) { t.typeRight(3); },
        [](SceneTest& t) { t.typeWrong(2); },
        [](SceneTest& t) { t.backspace(); },
        [](SceneTest& t) { t.typeRight(100); },
        [](SceneTest& t) {
            t.controls.lblOK.create(900);
            t.controls.lblOK.destroy(50);
        },
        [](SceneTest& t) { t.typeWrong(150); },
        [](SceneTest& t) { t.controls.lblOK = LabelArray(t.controls.lblOK); },
        [](SceneTest& t) {
            t.backspace();
            t.typeRight(90);
        },
    };
    for (std::size_t i = 0; i < std::size(events); ++i) {
        events[i](*this);
        scene.update();
        Scene fresh(frmMainDesign(), controls, measure);
        fresh.update();
        EXPECT_TRUE(itemsOf(scene) == itemsOf(fresh)) << "after event " << i;
    }
}

// What a mark repaints meets its own row only, at every dpi.
TEST_F(SceneTest, RowsReachesNeverMeet) {
    for (const int dpi : {96, 120, 144, 192}) {
        Scene scaled(frmMainDesign(), controls, measure, dpi);
        scaled.update();
        for (const char* rows : {"lblEgg", "lblType"}) {
            for (int row = 0; row < 7; ++row) {
                EXPECT_LE(scaled.find(rows, row)->reach.bottom,
                          scaled.find(rows, row + 1)->reach.top)
                    << rows << " " << row << " at " << dpi << " dpi";
            }
        }
    }
}

TEST_F(SceneTest, ATypedCharacterRepaintsItsCellOnlyAndMovesTheCaret) {
    typeRight(3);
    scene.update();
    typeRight(1);
    const std::vector<SceneChange>& changes = scene.update();
    const SceneChange* typed = changeOf(changes, scene, "lblType", 0);
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->captionFrom, std::optional<std::size_t>(3));
    // An auto-sized caption's box follows its text: it repaints whole.
    ASSERT_NE(changeOf(changes, scene, "lblTrue", -1), nullptr);
    EXPECT_EQ(changeOf(changes, scene, "lblTrue", -1)->captionFrom, std::nullopt);
    EXPECT_TRUE(scene.lineMoved());
    const SceneChange* mark = changeOf(changes, scene, "lblOK", 4);
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->before.empty()) << "a new mark";
    EXPECT_EQ(mark->now->back, (Rgb{0, 255, 0}));
    EXPECT_EQ(mark->now->box.height(), 16);
    // The caret stands right after the fourth character, in the lower pane:
    // a line one pixel wide from its first pixel to its last, all of it drawn.
    const SceneItem* caret = scene.find("Line1");
    EXPECT_EQ(caret->box.left, (60 + 50 + 4 * 240) / 15);
    EXPECT_EQ(caret->box.width(), 1);
    EXPECT_EQ(caret->box.height(), 18) << "250 twips from a pixel row rounded to its last";
    EXPECT_EQ(caret->reach, caret->box);

    form.Timer2_Timer();
    scene.update();
    EXPECT_FALSE(scene.lineMoved()) << "a blink hides the caret where it is";
}

// The first advance empties row 0 and fills row 7, and the marks of row 0 go.
TEST_F(SceneTest, ARingAdvanceRepaintsTheRowsItChangesOnly) {
    typeRight(170);
    scene.update();
    typeRight(1);
    const Changed changed = changedBy(scene);
    for (int row = 0; row <= 7; ++row) {
        EXPECT_EQ(changed.contains({"lblEgg", row}), row == 0 || row == 7) << row;
    }
    for (int mark = 1; mark <= 44; ++mark) {
        EXPECT_TRUE(changed.contains({"lblOK", mark})) << mark;
        EXPECT_EQ(scene.find("lblOK", mark), nullptr) << mark;
    }
    EXPECT_FALSE(changed.contains({"lblOK", 45}));
}

// A label that no handler names, added to the window's description, is in
// the scene as designed.
TEST(Scene, ShowsEveryLabelOfTheDescription) {
    const WindowDescription& design = test::frmMainWithExtraLabel();
    const MainControls controls = frmMainControls(design);
    const FixedMeasure measure;
    for (const int dpi : {96, 144}) {
        Scene scene(design, controls, measure, dpi);
        scene.update();
        const SceneItem* extra = scene.find(test::kExtraLabel);
        ASSERT_NE(extra, nullptr) << dpi;
        EXPECT_EQ(extra->caption, test::kExtraCaption);
        EXPECT_TRUE(extra->visible);
        EXPECT_EQ(extra->fore, (Rgb{255, 0, 0}));
        EXPECT_EQ(extra->box, pixelRect(test::kExtraLeft, test::kExtraTop, test::kExtraWidth,
                                        test::kExtraHeight, dpi));
        EXPECT_FALSE(extra->opaque);
        EXPECT_EQ(extra->placement, TextPlacement::TopLeft);
        // And the labels no handler names that were there before.
        ASSERT_NE(scene.find("Label6"), nullptr);
        EXPECT_EQ(scene.find("Label6")->caption, u"总共时间：");
    }
}

TEST(Scene, PanesLabelsAndMarksInPixelsAndColoursAtADpi) {
    const MainControls controls = frmMainControls();
    const FixedMeasure measure;
    Scene scene(frmMainDesign(), controls, measure, 144);
    scene.update();
    const SceneItem* upper = scene.find("picEgg");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->box, (PixelRect{6, 72, 6 + 1070, 72 + 280}));
    EXPECT_EQ(upper->back, (Rgb{0, 0, 0})) << "system colour 7";
    const SceneItem* row = scene.find("lblEgg", 1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->box.left, 6 + 12);
    EXPECT_EQ(row->box.top, 72 + 48);
    EXPECT_EQ(row->fore, (Rgb{255, 255, 0}));
    EXPECT_FALSE(row->opaque) << "rows are transparent";
    EXPECT_EQ(row->placement, TextPlacement::Baseline);
    EXPECT_EQ(row->reach.top, row->box.top - 4) << "a fifth of the 24-px em above";
    EXPECT_EQ(row->reach.bottom, row->box.bottom + 4) << "and below";
    const SceneItem* value = scene.find("lblTime");
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(value->opaque);
    EXPECT_EQ(value->back, (Rgb{255, 255, 255})) << "system colour 9";
    EXPECT_EQ(value->placement, TextPlacement::RightCentred);
    EXPECT_FALSE(scene.find("lblOK", 0)->visible);
    EXPECT_TRUE(scene.find("lblOK", 0)->reach.empty());
}

TEST(Scene, FontSizesAndColours) {
    EXPECT_EQ(fontPixels(FontRole::Row), 16);
    EXPECT_EQ(fontPixels(FontRole::Value), 14);
    EXPECT_EQ(fontPixels(FontRole::Standard), 12);
    EXPECT_EQ(fontPixels(FontRole::Row, 144), 24);
    EXPECT_EQ(fontPixels(FontRole::Value, 120), 18);
    EXPECT_EQ(baselineBelowTop(FontRole::Row), 14);
    EXPECT_EQ(designRgb(0x00FF00), (Rgb{0, 255, 0}));
    EXPECT_EQ(designRgb(0x123456), (Rgb{0x56, 0x34, 0x12}));
    EXPECT_EQ(designRgb(systemColour(5)), (Rgb{255, 255, 255}));
    EXPECT_EQ(designRgb(systemColour(7)), (Rgb{0, 0, 0}));
    EXPECT_EQ(designRgb(systemColour(9)), (Rgb{255, 255, 255}));
    EXPECT_EQ(designRgb(systemColour(15)), std::nullopt);
    EXPECT_EQ(designRgb(kStandardColour), std::nullopt);
}

// A caption that changes inside a character beyond the BMP repaints it whole.
TEST(Scene, ACaptionChangesFromTheStartOfACharacter) {
    MainControls controls = frmMainControls();
    const FixedMeasure measure;
    Scene scene(frmMainDesign(), controls, measure);
    controls.lblType[0].caption = u"a\U00020000";
    scene.update();
    controls.lblType[0].caption = u"a\U00020001";
    const SceneChange* change = changeOf(scene.update(), scene, "lblType", 0);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->captionFrom, std::optional<std::size_t>(1));
}

} // namespace
} // namespace keyloom
