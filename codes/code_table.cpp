// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/code_table.h"

#include <algorithm>
#include <compare>
#include <numeric>
#include <tuple>
#include <type_traits>

namespace keyloom {
namespace {

// A code that commits by itself: the whole code of a shape-code table.
constexpr unsigned kSelfCommittingKeys = 4;
constexpr std::size_t kUnits = 0x10000;

unsigned keysOf(std::string_view code) {
    return static_cast<unsigned>(
        std::count_if(code.begin(), code.end(), [](char key) { return key != ' '; }));
}

constexpr unsigned kTextKeyUnits = 4;
constexpr unsigned kCodeKeyBytes = 8;

// An entry as the sort by text sees it: the first units of its text as a
// number settle most comparisons without a look into the pool.
struct TextRecord {
    std::uint64_t textKey;
    std::uint32_t index;
    std::uint8_t textUnits;
};

// The first `count` units (or bytes) of `text`, the first the most
// significant: as numbers they order as the texts they begin.
template <typename Char>
std::uint64_t leadingKey(std::basic_string_view<Char> text, unsigned count) {
    constexpr unsigned kBits = sizeof(Char) * 8;
    std::uint64_t key = 0;
    for (unsigned i = 0; i < count; ++i) {
        key = (key << kBits) |
              (i < text.size() ? static_cast<std::make_unsigned_t<Char>>(text[i]) : 0U);
    }
    return key;
}

} // namespace

CodeEntry CodeTable::unpack(const Packed& packed) const {
    return {std::u16string_view(texts_).substr(packed.textAt, packed.textUnits),
            std::string_view(codes_).substr(packed.codeAt, packed.codeBytes), packed.keys,
            packed.cost};
}

CodeEntry CodeTable::entry(std::size_t index) const {
    return unpack(entries_.at(index));
}

std::pair<std::size_t, std::size_t> CodeTable::narrow(std::size_t first, std::size_t last,
                                                      std::size_t depth, char16_t unit) const {
    const auto unitAt = [this, depth](const Packed& packed) {
        return texts_[packed.textAt + depth];
    };
    const auto begin = entries_.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(last);
    const auto low = std::partition_point(
        begin, end, [&](const Packed& packed) { return unitAt(packed) < unit; });
    const auto high = std::partition_point(
        low, end, [&](const Packed& packed) { return unitAt(packed) == unit; });
    return {static_cast<std::size_t>(low - entries_.begin()),
            static_cast<std::size_t>(high - entries_.begin())};
}

std::vector<CodeEntry> CodeTable::entriesOf(std::u16string_view text) const {
    std::vector<CodeEntry> found;
    if (text.empty() || entries_.empty()) {
        return found;
    }
    std::size_t first = byFirstUnit_[text[0]];
    std::size_t last = byFirstUnit_[text[0] + 1U];
    for (std::size_t depth = 1; depth < text.size() && first < last; ++depth) {
        // Texts of exactly `depth` units, which sort first, end before it.
        while (first < last && entries_[first].textUnits == depth) {
            ++first;
        }
        std::tie(first, last) = narrow(first, last, depth, text[depth]);
    }
    for (; first < last && entries_[first].textUnits == text.size(); ++first) {
        found.push_back(unpack(entries_[first]));
    }
    return found;
}

void CodeTableBuilder::add(std::u16string_view text, std::string_view code, std::uint64_t weight) {
    table_.entries_.push_back(
        {static_cast<std::uint32_t>(table_.texts_.size()),
         static_cast<std::uint32_t>(table_.codes_.size()), static_cast<std::uint8_t>(text.size()),
         static_cast<std::uint8_t>(code.size()), static_cast<std::uint8_t>(keysOf(code)), 0});
    table_.texts_ += text;
    table_.codes_ += code;
    weights_.push_back(weight);
}

CodeTableBuilder::Result CodeTableBuilder::finish() && {
    CodeTable& table = table_;
    using Packed = CodeTable::Packed;
    const std::vector<Packed>& entries = table.entries_;
    const auto textOf = [&table](std::uint32_t i) {
        const Packed& packed = table.entries_[i];
        return std::u16string_view(table.texts_).substr(packed.textAt, packed.textUnits);
    };
    const auto codeOf = [&table](std::uint32_t i) {
        const Packed& packed = table.entries_[i];
        return std::string_view(table.codes_).substr(packed.codeAt, packed.codeBytes);
    };
    // A text or code that fits its key compares whole in it: neither holds a zero.
    const auto compareTexts = [&](const TextRecord& a, const TextRecord& b) {
        if (a.textKey != b.textKey || std::max(a.textUnits, b.textUnits) <= kTextKeyUnits) {
            return a.textKey <=> b.textKey;
        }
        return textOf(a.index) <=> textOf(b.index);
    };
    std::vector<std::uint64_t> codeKeys(entries.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        codeKeys[i] = leadingKey(codeOf(i), kCodeKeyBytes);
    }
    const auto compareCodes = [&](std::uint32_t a, std::uint32_t b) {
        if (codeKeys[a] != codeKeys[b] ||
            std::max(entries[a].codeBytes, entries[b].codeBytes) <= kCodeKeyBytes) {
            return codeKeys[a] <=> codeKeys[b];
        }
        return codeOf(a) <=> codeOf(b);
    };

    // By text, then code, the table's order breaking ties: placed by their
    // first unit, then each run of one first unit sorted (short runs).
    std::vector<std::uint32_t> runEnd(kUnits + 1, 0);
    for (const Packed& packed : entries) {
        ++runEnd[table.texts_[packed.textAt] + 1U];
    }
    std::partial_sum(runEnd.begin(), runEnd.end(), runEnd.begin());
    std::vector<TextRecord> byText(entries.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        byText[runEnd[table.texts_[entries[i].textAt]]++] = {leadingKey(textOf(i), kTextKeyUnits),
                                                             i, entries[i].textUnits};
    }
    const auto textCodeOrder = [&](const TextRecord& a, const TextRecord& b) {
        if (const auto order = compareTexts(a, b); std::is_neq(order)) {
            return std::is_lt(order);
        }
        if (const auto order = compareCodes(a.index, b.index); std::is_neq(order)) {
            return std::is_lt(order);
        }
        return a.index < b.index;
    };
    for (std::size_t unit = 0, runStart = 0; unit < kUnits; runStart = runEnd[unit++]) {
        if (runEnd[unit] - runStart > 1) {
            std::sort(byText.begin() + static_cast<std::ptrdiff_t>(runStart),
                      byText.begin() + static_cast<std::ptrdiff_t>(runEnd[unit]), textCodeOrder);
        }
    }
    runEnd = {};

    // A text with the same code again adds nothing: only its first line counts.
    Result result;
    std::vector<bool> repeated(entries.size(), false);
    std::size_t kept = 0;
    for (const TextRecord& record : byText) {
        if (kept > 0 && std::is_eq(compareTexts(byText[kept - 1], record)) &&
            std::is_eq(compareCodes(byText[kept - 1].index, record.index))) {
            result.firstDuplicate =
                result.duplicates++ == 0
                    ? record.index
                    : std::min<std::size_t>(result.firstDuplicate, record.index);
            repeated[record.index] = true;
        } else {
            byText[kept++] = record;
        }
    }
    byText.resize(kept);

    // The candidates of one code: highest weight first, ties in the table's
    // order. A table written in that order (ours are) needs no sorting.
    std::vector<std::uint32_t> byCode;
    byCode.reserve(byText.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        if (!repeated[i]) {
            byCode.push_back(i);
        }
    }
    const auto candidateLess = [&](std::uint32_t a, std::uint32_t b) {
        if (const auto order = compareCodes(a, b); std::is_neq(order)) {
            return std::is_lt(order);
        }
        return weights_[a] != weights_[b] ? weights_[a] > weights_[b] : a < b;
    };
    if (!std::is_sorted(byCode.begin(), byCode.end(), candidateLess)) {
        std::sort(byCode.begin(), byCode.end(), candidateLess);
    }
    unsigned longest = 0;
    for (const Packed& packed : entries) {
        longest = std::max<unsigned>(longest, packed.keys);
    }
    const bool shapeCodes = longest <= kSelfCommittingKeys;
    // Each entry's place among the candidates of its code, 0 the first.
    std::vector<std::uint32_t> rank(entries.size(), 0);
    for (std::size_t i = 0; i < byCode.size(); ++i) {
        Packed& packed = table.entries_[byCode[i]];
        const bool firstCandidate = i == 0 || std::is_neq(compareCodes(byCode[i - 1], byCode[i]));
        rank[byCode[i]] = firstCandidate ? 0 : rank[byCode[i - 1]] + 1;
        const bool commitsByItself =
            shapeCodes && firstCandidate && packed.keys == kSelfCommittingKeys;
        packed.cost = static_cast<std::uint8_t>(packed.keys + (commitsByItself ? 0U : 1U));
    }

    // Looked up by text: cheapest first, then the shorter code, then the
    // earlier candidate, then the code. Only what a compact table keeps (the
    // candidates' order, not their weights) decides.
    const auto lookupLess = [&](const TextRecord& a, const TextRecord& b) {
        const Packed& x = entries[a.index];
        const Packed& y = entries[b.index];
        const auto order =
            std::tie(x.cost, x.keys, rank[a.index]) <=> std::tie(y.cost, y.keys, rank[b.index]);
        return std::is_lt(std::is_neq(order) ? order : compareCodes(a.index, b.index));
    };
    for (auto first = byText.begin(); first != byText.end();) {
        auto last = first + 1;
        while (last != byText.end() && std::is_eq(compareTexts(*first, *last))) {
            ++last;
        }
        if (last - first > 1) {
            std::sort(first, last, lookupLess);
        }
        first = last;
    }
    std::vector<Packed> sorted;
    sorted.reserve(byText.size());
    for (const TextRecord& record : byText) {
        sorted.push_back(entries[record.index]);
    }
    table.entries_ = std::move(sorted);
    weights_ = {};
    // The pools grew by doubling: what is kept holds no spare room.
    table.texts_.shrink_to_fit();
    table.codes_.shrink_to_fit();

    table.byFirstUnit_.assign(kUnits + 1, 0);
    for (const Packed& packed : table.entries_) {
        ++table.byFirstUnit_[table.texts_[packed.textAt] + 1U];
    }
    std::partial_sum(table.byFirstUnit_.begin(), table.byFirstUnit_.end(),
                     table.byFirstUnit_.begin());
    result.table = std::move(table);
    return result;
}

} // namespace keyloom
