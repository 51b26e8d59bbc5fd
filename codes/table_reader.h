// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/code_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

// What reading a code table gave: the table as far as it is good, and the
// lines left out.
struct TableReading {
    // None when not one line was good: such a table is refused.
    std::optional<CodeTable> table;
    // Lines that are not an entry (no tab, a code of other keys, a text with
    // spaces, bytes that are not UTF-8, a repeated text and code).
    std::size_t skippedLines = 0;
    // The first of them, counted from 1; 0 when none.
    std::size_t firstSkippedLine = 0;
};

// Reads a table in UTF-8: lines `text<TAB>code[<TAB>weight...]`, the body
// of a Rime dictionary after its `---`...`...` header, a one-character hint
// table. A byte-order mark, CR LF, blank lines and `#` comments are accepted.
// A code is ASCII letters and `;` `'` `,` `.` `/`, with single spaces between
// syllables; the weight, when there is one, orders the candidates of a code.
TableReading readCodeTable(std::string_view bytes);

// The one message on a table read with skipped lines, or refused; empty when
// every line was good.
std::string readingNotice(std::string_view tableName, const TableReading& reading);

} // namespace keyloom
