// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/controls.h"
#include "practice/errors.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace keyloom {
namespace {

TEST(LabelArray, CreatesHiddenCopiesOfElementZeroAndDestroysThem) {
    Label design{{.width = 120, .backColor = 0x00FF00}};
    design.caption = u"x";
    LabelArray marks({{0, design}});
    EXPECT_EQ(marks.count(), 1);
    Label& made = marks.create(5);
    EXPECT_FALSE(made.visible);
    EXPECT_EQ(made.width, 120);
    EXPECT_EQ(made.backColor, 0x00FF00U);
    made.caption = u"y";
    EXPECT_EQ(marks.create(5).caption, u"y") << "an existing element is used as it is";
    EXPECT_EQ(marks.count(), 2);
    marks.destroy(5);
    EXPECT_FALSE(marks.exists(5));
    EXPECT_THROW(marks.destroy(5), MissingElementError);
    EXPECT_THROW(marks.destroy(0), MissingElementError) << "element 0 belongs to the design";
    EXPECT_THROW(static_cast<void>(marks[7]), MissingElementError);
}

// A viewer learns which elements may have changed since its mark: those
// handed out to be changed, made or destroyed; a copy, or more changes than
// are kept, leave it to compare them all.
TEST(LabelArray, TellsAViewerWhichElementsMayHaveChanged) {
    LabelArray marks({{0, Label{}}});
    const LabelArray::ChangeMark start = marks.changeMark();
    EXPECT_TRUE(marks.changedSince(start)->empty());
    static_cast<void>(std::as_const(marks)[0]);
    EXPECT_EQ(marks.changeMark(), start) << "reading changes nothing";
    marks.create(4);
    marks[0].caption = u"x";
    marks.destroy(4);
    const std::vector<int> touched(marks.changedSince(start)->begin(),
                                   marks.changedSince(start)->end());
    EXPECT_EQ(touched, (std::vector<int>{4, 0, 4}));
    EXPECT_TRUE(marks.changedSince(marks.changeMark())->empty());

    const LabelArray copy(marks);
    EXPECT_FALSE(copy.changedSince(marks.changeMark())) << "a copy is other contents";
    marks = copy;
    EXPECT_FALSE(marks.changedSince(start)) << "so is an array assigned";

    const LabelArray::ChangeMark behind = marks.changeMark();
    for (int i = 0; i < 5000; ++i) {
        marks[0].caption = u"y";
    }
    EXPECT_FALSE(marks.changedSince(behind)) << "too far behind";
    const LabelArray::ChangeMark recent = marks.changeMark();
    marks[0].caption = u"z";
    EXPECT_EQ(marks.changedSince(recent)->size(), 1U);
}

} // namespace
} // namespace keyloom
