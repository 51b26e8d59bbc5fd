// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/table_reader.h"

#include <filesystem>
#include <string>
#include <vector>

namespace keyloom {

// The learner's own tables: "keyloom/codes" in the user's data folder (none
// when that is empty).
std::filesystem::path userCodesFolder(const std::filesystem::path& userDataDir);

// A code table the learner can choose, by the name F6 and --hint use.
struct TableFile {
    std::string name;
    std::filesystem::path file;
};

// The tables made with the program, "五笔86" and "拼音", in `builtInFolder`,
// then every `*.txt` of `userFolder` (a missing folder has none), named by
// its file name without ".txt" and in the order of those names. A user table
// with a built-in table's name is left out.
std::vector<TableFile> tableFiles(const std::filesystem::path& builtInFolder,
                                  const std::filesystem::path& userFolder);

// The one of `tables` called `name`, or nullptr.
const TableFile* findTable(const std::vector<TableFile>& tables, std::string_view name);

// Reads a table file, at most kMaxTableBytes of it; a file that cannot be
// read gives a refused table.
TableReading readCodeTableFile(const std::filesystem::path& file);

// Larger than any real table (Wubi 86 with its words is 2.5 MB).
inline constexpr std::size_t kMaxTableBytes = std::size_t{64} << 20U;

} // namespace keyloom
