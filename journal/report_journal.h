// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "journal/saved_run.h"

#include <filesystem>
#include <optional>
#include <string>

namespace keyloom {

// What the report's "记入成绩(&S)" does for one window's run, in both front
// ends: the run so far saved to the learner's journal, saved again only
// after more typing, as an update of the same run.
class ReportJournal {
  public:
    ReportJournal(std::u16string textName, std::optional<std::filesystem::path> folder,
                  WallClock clock);

    struct SaveButton {
        std::u16string caption;
        std::u16string tip; // where the run goes, or went
        bool enabled = true;
    };
    [[nodiscard]] SaveButton saveButton(const RunRecord& record) const;

    // Saves the run so far; what to tell the learner when it could not be
    // saved (the report stays open, its line can still be copied), or
    // nothing.
    std::u16string save(const RunRecord& record);

    [[nodiscard]] const std::u16string& textName() const { return textName_; }
    [[nodiscard]] const std::optional<std::filesystem::path>& folder() const { return folder_; }
    // The folder as the learner reads it.
    [[nodiscard]] std::u16string folderText() const;

  private:
    [[nodiscard]] JournalEntry entryOf(const RunRecord& record) const;

    std::u16string textName_;
    std::optional<std::filesystem::path> folder_;
    WallClock clock_;
    RunSaving saving_;
};

} // namespace keyloom
