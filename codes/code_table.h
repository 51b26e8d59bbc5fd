// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace keyloom {

// One entry of a code table: a text (a character or a word) and one of its
// codes, with what it costs to type it that way.
struct CodeEntry {
    std::u16string_view text;
    std::string_view code;
    // Keys of the code (a space between syllables is not a key).
    unsigned keys = 0;
    // The code's keys, plus one to choose the entry, except a four-key code's
    // first candidate in a table of codes of at most four keys: it commits by
    // itself.
    unsigned cost = 0;
};

// An input method's code table, compacted to what the hints and the ideal
// code length need. Made by CodeTableBuilder; read-only after.
class CodeTable {
  public:
    [[nodiscard]] std::size_t size() const { return entries_.size(); }
    [[nodiscard]] CodeEntry entry(std::size_t index) const;

    // The entries of exactly `text`, cheapest first (ties: the shorter code,
    // the earlier candidate of its code, the code). Empty when the table has
    // no such text.
    [[nodiscard]] std::vector<CodeEntry> entriesOf(std::u16string_view text) const;

    // Calls `found(entry)` with the cheapest entry of each text that begins
    // `rest`, shortest text first.
    template <typename Found> void forEachPrefix(std::u16string_view rest, Found found) const;

  private:
    friend class CodeTableBuilder;
    struct Packed {
        std::uint32_t textAt;
        std::uint32_t codeAt;
        std::uint8_t textUnits;
        std::uint8_t codeBytes;
        std::uint8_t keys;
        std::uint8_t cost;
    };
    [[nodiscard]] CodeEntry unpack(const Packed& packed) const;
    // The entries in [first, last) whose text's unit `depth` is `unit`: the
    // range is sorted by text, and all its texts share their first `depth`
    // units and are longer than that.
    [[nodiscard]] std::pair<std::size_t, std::size_t>
    narrow(std::size_t first, std::size_t last, std::size_t depth, char16_t unit) const;

    std::u16string texts_;
    std::string codes_;
    // Sorted by text (code units), then cheapest first.
    std::vector<Packed> entries_;
    // The entries whose text starts with unit u are [byFirstUnit_[u], byFirstUnit_[u + 1]).
    std::vector<std::uint32_t> byFirstUnit_;
};

template <typename Found>
void CodeTable::forEachPrefix(std::u16string_view rest, Found found) const {
    if (rest.empty() || entries_.empty()) {
        return;
    }
    std::size_t first = byFirstUnit_[rest[0]];
    std::size_t last = byFirstUnit_[rest[0] + 1U];
    for (std::size_t depth = 1; first < last; ++depth) {
        // Texts of exactly `depth` units sort before longer ones sharing them.
        if (entries_[first].textUnits == depth) {
            found(unpack(entries_[first]));
            while (first < last && entries_[first].textUnits == depth) {
                ++first;
            }
        }
        if (depth == rest.size()) {
            return;
        }
        std::tie(first, last) = narrow(first, last, depth, rest[depth]);
    }
}

// Collects a table's entries in the table's order and makes the table.
class CodeTableBuilder {
  public:
    // `code` holds only keys and single spaces between syllables; `text` is
    // a non-empty UTF-16 text of at most kMaxTextUnits units.
    void add(std::u16string_view text, std::string_view code, std::uint64_t weight);

    // The table, and the entries that repeated an earlier one's text and
    // code (left out): how many, and the first of them in the order added.
    struct Result {
        CodeTable table;
        std::size_t duplicates = 0;
        std::size_t firstDuplicate = 0;
    };
    [[nodiscard]] Result finish() &&;

    static constexpr std::size_t kMaxTextUnits = 64;
    static constexpr std::size_t kMaxCodeBytes = 64;

  private:
    CodeTable table_;
    std::vector<std::uint64_t> weights_;
};

} // namespace keyloom
