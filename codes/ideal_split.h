// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/code_table.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// One step of the cheapest way through a text.
struct SplitPiece {
    enum class Kind {
        Entry,       // a table entry: `code` is its code
        Punctuation, // a mark typed with one key, cheaper than any entry of it
        NoEntry,     // a character no entry starts with: left out, cost 0
    };
    Kind kind = Kind::NoEntry;
    // Where in the text, in UTF-16 units.
    std::size_t begin = 0;
    std::size_t units = 0;
    // Characters (code points) it covers.
    std::size_t characters = 0;
    std::string_view code;
    unsigned cost = 0;
};

// The least total cost of typing a text from each of its characters to its
// end with one table (a shortest path over the text), so that both the whole
// split and the best way on from any caret are read without searching again.
class IdealSplit {
  public:
    IdealSplit(const CodeTable& table, std::u16string_view text);

    // The pieces from the text's start to its end.
    [[nodiscard]] std::vector<SplitPiece> pieces() const;
    // The piece the cheapest way on from unit `caret` starts with; a NoEntry
    // piece of no units at the end of the text.
    [[nodiscard]] SplitPiece pieceAt(std::size_t caret) const;

    struct Totals {
        std::size_t keys = 0;       // the least total cost
        std::size_t characters = 0; // covered by entries and punctuation
        std::size_t leftOut = 0;    // characters of no entry
        // keys ÷ characters; 0 when nothing is covered.
        [[nodiscard]] double idealCodeLength() const;
    };
    [[nodiscard]] Totals totals() const;

  private:
    struct Step {
        SplitPiece piece;
        Totals toEnd;
    };
    // best_[i]: the cheapest way on from unit i (meaningful where a character starts).
    std::vector<Step> best_;
};

// The ideal code length to two decimals, half away from zero: "1.76".
std::string idealCodeLengthText(const IdealSplit::Totals& totals);

// "理想码长 X.XX 键数 K 字数 N 无编码 U".
std::string idealSummary(const IdealSplit::Totals& totals);

} // namespace keyloom
