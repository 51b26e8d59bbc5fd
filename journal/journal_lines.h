// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

// The journal's two files are UTF-8 text, one record a line, fields split by
// tabs. Each file starts with a header line whose first field names the
// format and its version ("keyloom-runs/1") and whose other fields name the
// columns; each record's first field is the version it was written in.
inline constexpr std::int64_t kJournalVersion = 1;
inline constexpr std::string_view kRunsFileName = "runs.tsv";
inline constexpr std::string_view kCharactersFileName = "characters.tsv";

std::string_view runsHeader();       // with its line end
std::string_view charactersHeader(); // with its line end

// A record with its line end; tabs and line breaks in the text's name
// become spaces.
std::string runLine(const JournalRun& run);
void appendCharacterLine(std::string& lines, std::string_view key, std::int64_t revision,
                         const JournalCharacter& character);

enum class LineKind {
    record,
    header,  // a file's first line, or a header copied into the middle
    newer,   // written by a later version of the program
    damaged, // not UTF-8, wrong columns, a field out of range
};

LineKind parseRunLine(std::string_view line, JournalRun& run);

struct CharacterRecord {
    std::string_view key; // into the parsed line
    std::int64_t revision = 0;
    JournalCharacter character;
};
LineKind parseCharacterLine(std::string_view line, CharacterRecord& record);

// "2026-12-08T23:17:27+08:00": the local time and its offset.
std::string formatDate(WallTime time);
std::optional<WallTime> parseDate(std::string_view text);

// A key no other run has: the moment of its first save in milliseconds and
// the saving process.
std::string makeRunKey(std::int64_t utcMilliseconds, std::uint64_t processId);

// The key of a line of either file, when it has one; for deleting without
// parsing the rest.
std::optional<std::string_view> lineKey(std::string_view line);

} // namespace keyloom
