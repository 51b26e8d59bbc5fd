// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The code-table reader on arbitrary bytes, as a learner's own table may
// hold anything: it may not crash or hang, every entry it keeps must be one
// it accepts, and the split of any text over the table must account for
// every character.
#include "codes/code_table.h"
#include "codes/ideal_split.h"
#include "codes/table_reader.h"
#include "text/code_points.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const keyloom::TableReading reading = keyloom::readCodeTable(bytes);
    if (!reading.table) {
        return 0;
    }
    const keyloom::CodeTable& table = *reading.table;
    require(table.size() > 0, "a table kept with no entry");
    for (std::size_t i = 0; i < table.size(); ++i) {
        const keyloom::CodeEntry entry = table.entry(i);
        require(!entry.text.empty() && !entry.code.empty(), "an empty text or code kept");
        require(entry.keys > 0 && entry.cost >= entry.keys && entry.cost <= entry.keys + 1,
                "a cost other than the keys or one more");
        const std::vector<keyloom::CodeEntry> same = table.entriesOf(entry.text);
        require(std::any_of(same.begin(), same.end(),
                            [&entry](const keyloom::CodeEntry& other) {
                                return other.code == entry.code;
                            }),
                "an entry not found by its text");
    }
    // The table's own bytes as a text: every character covered or left out.
    const std::u16string text = keyloom::fromUtf8(bytes);
    const keyloom::IdealSplit split(table, text);
    const keyloom::IdealSplit::Totals totals = split.totals();
    require(totals.characters + totals.leftOut == keyloom::codePointCount(text),
            "characters neither covered nor left out");
    std::size_t keys = 0;
    std::size_t units = 0;
    for (const keyloom::SplitPiece& piece : split.pieces()) {
        require(piece.begin == units, "pieces not end to end");
        units += piece.units;
        keys += piece.cost;
    }
    require(units == text.size() && keys == totals.keys, "the pieces disagree with the totals");
    return 0;
}
