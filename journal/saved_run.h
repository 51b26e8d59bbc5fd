// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "practice/run_figures.h"
#include "practice/run_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace keyloom {

// The run so far as the journal keeps it, not yet given its key, revision
// and date: the report's figures and, for each reference character typed,
// how often, how often wrong and its time.
JournalEntry journalEntry(const RunRecord& record, const RunFigures& figures,
                          std::u16string_view textName);

// What one window has saved of its run. The first save gives the run its
// key; saving the same figures again adds nothing; saving after more typing
// writes the next revision, which replaces the earlier when read.
class RunSaving {
  public:
    enum class Outcome { saved, alreadySaved };

    Outcome save(Journal& journal, JournalEntry entry, WallTime now, std::uint64_t processId);
    [[nodiscard]] bool isSaved(const JournalEntry& entry) const;
    [[nodiscard]] const std::string& key() const { return key_; }

  private:
    std::string key_;
    std::int64_t revision_ = 0;
    JournalEntry saved_; // as it was given to save(): no key, revision or date
};

} // namespace keyloom
