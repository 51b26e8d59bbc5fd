// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/counter.h"

#include "practice/errors.h"

#include <cmath>
#include <limits>
#include <string>

namespace keyloom {

Counter toCounter(long long value) {
    if (value < std::numeric_limits<Counter>::min() ||
        value > std::numeric_limits<Counter>::max()) {
        throw OverflowError();
    }
    return static_cast<Counter>(value);
}

Counter checkedAdd(Counter a, Counter b) {
    return toCounter(static_cast<long long>(a) + b);
}
Counter checkedSub(Counter a, Counter b) {
    return toCounter(static_cast<long long>(a) - b);
}
Counter checkedMul(Counter a, Counter b) {
    return toCounter(static_cast<long long>(a) * b);
}

Counter roundToCounter(double value) {
    if (std::isnan(value) || value < -32768.5 || value > 32767.5) {
        throw OverflowError();
    }
    // nearbyint rounds half to even in the default rounding mode.
    return toCounter(static_cast<long long>(std::nearbyint(value)));
}

double checkedDivide(double a, double b) {
    if (b == 0.0) {
        throw DivisionByZeroError();
    }
    return a / b;
}

std::u16string decimalText(long long value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace keyloom
