// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/controls.h"
#include "practice/errors.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace keyloom
