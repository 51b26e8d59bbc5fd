// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal_entry.h"
#include "journal/journal_files.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace keyloom {

using WallClock = std::function<WallTime()>;

// Lines the reader skipped, by why. Every other line is read.
struct SkippedLines {
    std::int64_t torn = 0;     // a last line without its line end: a save cut short
    std::int64_t newer = 0;    // written by a later version
    std::int64_t damaged = 0;  // not UTF-8, wrong columns, a field out of range
    std::int64_t orphaned = 0; // a character line whose run is not in the journal
    std::int64_t future = 0;   // a run dated more than a day after now
    [[nodiscard]] std::int64_t total() const { return torn + newer + damaged + orphaned + future; }
};

// A reference character across the saved runs: its plain totals, and the
// same with each run weighed by its age (see weakness.h).
struct CharacterHistory {
    char32_t character = 0;
    std::int64_t typed = 0;
    std::int64_t wrong = 0;
    double weightedTyped = 0;
    double weightedWrong = 0;
    double weightedSeconds = 0;
};

struct JournalContents {
    std::vector<JournalRun> runs;             // each run's newest save, newest first
    std::vector<CharacterHistory> characters; // by code point
    SkippedLines skipped;
};

// The learner's saved runs in a folder's two files. Reading never writes;
// saving and deleting hold the folder's lock, so two windows can do either
// at once.
class Journal {
  public:
    Journal(JournalFiles& files, WallClock clock);

    // Appends the run's character lines, then its run line (a run line is
    // only read with the character lines of its revision).
    void save(const JournalEntry& entry);
    [[nodiscard]] JournalContents read() const;
    // Every save of the run, through a new copy of each file.
    void remove(std::string_view key);

    [[nodiscard]] const JournalFiles& files() const { return files_; }

  private:
    JournalFiles& files_;
    WallClock clock_;
};

} // namespace keyloom
