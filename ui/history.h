// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "journal/progress.h"
#include "practice/run_figures.h"

#include <string>
#include <vector>

namespace keyloom {

// What the history window (F7) shows of the journal, in both front ends.
struct HistoryContent {
    std::vector<std::u16string> runs; // one line a run, newest first
    std::vector<std::string> runKeys; // each line's run
    std::vector<DayProgress> days;    // for the chart
    std::u16string totals;            // today's and all-time characters and time
    std::u16string weak;              // one line a weak character, weakest first, with its codes
    std::u16string notice;            // nothing saved yet, or the lines skipped
    std::u16string drill;             // three of each weak character; empty: none
};

// The history's load step: read once, when the window opens. With
// `codesOf`, the table chosen for hints, each weak character's codes follow
// its counts ("劳  5 / 3  apl").
HistoryContent loadHistory(const JournalContents& journal, WallTime now,
                           const CodesOf& codesOf = {});

// "2026-11-30 08:53  诗.txt  速度62 击键3.41 码长3.31 正确率985‰ 字数131 用时2:07"
std::u16string runLineText(const JournalRun& run);

// The confirmation asked before a run, shown as `runLine`, is deleted.
std::u16string deleteQuestion(std::u16string_view runLine);

} // namespace keyloom
