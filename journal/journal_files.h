// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal_entry.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace keyloom {

// A file of the journal that cannot be read or written; the text says why,
// in the system's words (UTF-8).
class JournalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Held while the journal's files are changed; two windows saving at once
// take turns.
class JournalLock {
  public:
    virtual ~JournalLock() = default;
};

// A file being written afresh beside the old one, which it replaces whole
// at commit(); dropped without commit() it is removed.
class JournalReplacement {
  public:
    virtual ~JournalReplacement() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void commit() = 0;
};

// The journal's folder on this platform: the file lock, whole-line appends
// and replacement by rename. Every write raises JournalError on failure.
class JournalFiles {
  public:
    virtual ~JournalFiles() = default;
    [[nodiscard]] virtual const std::filesystem::path& folder() const = 0;

    // Makes the folder when it is missing, then waits for the lock.
    virtual std::unique_ptr<JournalLock> lock() = 0;
    // Appends `lines` in one write, after `header` when the file is new or
    // empty, and after a line end when the file's last line lacks one (a
    // save cut short); with AppendSync::toDisk, returns once they are on
    // the disk. Under the lock.
    enum class AppendSync { none, toDisk };
    virtual void append(std::string_view name, std::string_view header, std::string_view lines,
                        AppendSync sync) = 0;
    virtual std::unique_ptr<JournalReplacement> replace(std::string_view name) = 0;

    // The file's bytes in pieces, in order; false when the file is missing.
    virtual bool read(std::string_view name,
                      const std::function<void(std::string_view piece)>& take) = 0;
};

// This platform's files in `folder`.
std::unique_ptr<JournalFiles> journalFiles(std::filesystem::path folder);

// Where the learner's journal lives: $XDG_DATA_HOME/keyloom (by default
// ~/.local/share/keyloom), or %APPDATA%\Keyloom on Windows; nothing when
// the environment names no home.
std::optional<std::filesystem::path> defaultJournalFolder();

// The wall clock now, with the local offset from UTC.
WallTime wallClockNow();
std::uint64_t currentProcessId();

} // namespace keyloom
