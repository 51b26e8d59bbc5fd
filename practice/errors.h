// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>

namespace keyloom {

// Every error the practice logic raises derives from this, so that each
// handler can decide in one place what an error inside it does.
class PracticeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A 16-bit counter step whose result lies outside -32,768 to 32,767.
class OverflowError : public PracticeError {
  public:
    OverflowError() : PracticeError("16-bit overflow") {}
};

class DivisionByZeroError : public PracticeError {
  public:
    DivisionByZeroError() : PracticeError("division by zero") {}
};

} // namespace keyloom
