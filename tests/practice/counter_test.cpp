// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/counter.h"
#include "practice/errors.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

TEST(Counter, ArithmeticRaisesInsteadOfWrapping) {
    EXPECT_EQ(checkedAdd(32766, 1), 32767);
    EXPECT_THROW(checkedAdd(32767, 1), OverflowError);
    EXPECT_EQ(checkedSub(-32767, 1), -32768);
    EXPECT_THROW(checkedSub(-32768, 1), OverflowError);
    EXPECT_EQ(checkedMul(744, 44), 32736);
    EXPECT_THROW(checkedMul(745, 44), OverflowError);
    EXPECT_THROW(toCounter(32768), OverflowError);
    EXPECT_EQ(toCounter(-32768), -32768);
}

TEST(Counter, RoundingGoesHalfToEven) {
    struct Case {
        double value;
        Counter rounded;
    };
    for (const Case c : {Case{62.5, 62}, Case{187.5, 188}, Case{2.5, 2}, Case{7.5, 8},
                         Case{666.666, 667}, Case{-0.5, 0}, Case{32767.4, 32767}}) {
        EXPECT_EQ(roundToCounter(c.value), c.rounded) << c.value;
    }
    EXPECT_THROW(roundToCounter(32767.5), OverflowError); // rounds to 32768
    EXPECT_THROW(roundToCounter(60000.0), OverflowError);
    EXPECT_THROW(roundToCounter(0.0 / 0.0), OverflowError);
    EXPECT_THROW(checkedDivide(1, 0), DivisionByZeroError);
}

TEST(Counter, DecimalTextIsPlainDigits) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(1000), u"1000");
    EXPECT_EQ(decimalText(-32768), u"-32768");
}

} // namespace
} // namespace keyloom
