// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace keyloom {

// The practice run counts in 16-bit signed integers. Every step on them is
// checked: a result that does not fit raises OverflowError instead of wrapping.
using Counter = std::int16_t;

Counter checkedAdd(Counter a, Counter b);
Counter checkedSub(Counter a, Counter b);
Counter checkedMul(Counter a, Counter b);

// Narrows a wider integer, raising OverflowError when it does not fit.
Counter toCounter(long long value);

// Rounds to the nearest integer, a half going to the even neighbour; raises
// OverflowError for a result outside the 16-bit range or for NaN.
Counter roundToCounter(double value);

// a / b in double precision; raises DivisionByZeroError for b = 0.
double checkedDivide(double a, double b);

// Plain decimal text: digits, a leading minus sign for negatives, nothing else.
std::u16string decimalText(long long value);

} // namespace keyloom
