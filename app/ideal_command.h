// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/table_files.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// The message on a table name that is none of `tables`, naming them.
std::string unknownTableMessage(const std::vector<TableFile>& tables, std::string_view name);

// keyloom --ideal TABLE [FILE|-]: prints the cheapest split of `text` with
// the table called `tableName`, one piece a line "text<TAB>code<TAB>cost",
// then the summary line. Answers the exit status: 0, or kExitOnUsageError
// for an unknown table (the tables' names go to `err`), kExitOnFileError for
// a table that cannot be used.
int printIdealSplit(const std::vector<TableFile>& tables, std::string_view tableName,
                    const std::u16string& text, std::FILE* out, std::FILE* err);

} // namespace keyloom
