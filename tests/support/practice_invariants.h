// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/frm_main.h"

#include <string>

namespace keyloom {

// What must hold between any two events of a practice run, whatever the
// user, the input method or the clock did. Shared by the fuzzer and the soak.
class PracticeInvariants {
  public:
    PracticeInvariants(const MainControls& controls, const FrmMain& form)
        : c_(controls), form_(form) {}

    // Empty when all holds, else what broke. `allMarks` scans every live
    // mark and the whole run's record; otherwise only the newest mark, the
    // only one a single event sets.
    [[nodiscard]] std::string check(bool allMarks = false);

  private:
    [[nodiscard]] std::string checkCounters();
    [[nodiscard]] std::string checkMarks(bool allMarks);
    [[nodiscard]] std::size_t lessonLength();
    [[nodiscard]] std::string checkCaret() const;
    [[nodiscard]] std::string checkRecordTimes() const;

    const MainControls& c_;
    const FrmMain& form_;
    // Once a counter has come near 32,767 it may have stopped while others
    // went on, and right + wrong no longer has to equal typedCount.
    bool nearLimit_ = false;
    // The lesson's length in characters, counted once: a run keeps its lesson.
    std::size_t countedUnits_ = 0;
    std::size_t lessonLength_ = 0;
};

} // namespace keyloom
