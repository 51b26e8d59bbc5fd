// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal_entry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace keyloom {

// The saved runs of one local day together.
struct DayProgress {
    std::string day; // "2026-12-08", each run's day where it was saved
    std::int64_t runs = 0;
    std::int64_t characters = 0;
    double seconds = 0;
    double speed = 0;    // characters a minute over the day's typing time
    double accuracy = 0; // per mille of the day's characters
};

struct PracticeTotals {
    std::int64_t todayCharacters = 0;
    double todaySeconds = 0;
    std::int64_t allCharacters = 0;
    double allSeconds = 0;
};

// The days in order, oldest first.
std::vector<DayProgress> progressByDay(const std::vector<JournalRun>& runs);
PracticeTotals practiceTotals(const std::vector<JournalRun>& runs, WallTime now);

// The local day of a moment: "2026-12-08".
std::string localDay(WallTime time);

} // namespace keyloom
