// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/code_table.h"

#include <algorithm>
#include <numeric>
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
    // The first units of each text and bytes of each code as one number
    // settle most comparisons of the sorts below.
    std::vector<std::uint64_t> textKeys(entries.size());
    std::vector<std::uint64_t> codeKeys(entries.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        textKeys[i] = leadingKey(textOf(i), 4);
        codeKeys[i] = leadingKey(codeOf(i), 8);
    }
    const auto textLess = [&](std::uint32_t a, std::uint32_t b) {
        return textKeys[a] != textKeys[b] ? textKeys[a] < textKeys[b] : textOf(a) < textOf(b);
    };
    const auto sameText = [&](std::uint32_t a, std::uint32_t b) {
        return textKeys[a] == textKeys[b] && textOf(a) == textOf(b);
    };
    const auto codeLess = [&](std::uint32_t a, std::uint32_t b) {
        return codeKeys[a] != codeKeys[b] ? codeKeys[a] < codeKeys[b] : codeOf(a) < codeOf(b);
    };
    const auto sameCode = [&](std::uint32_t a, std::uint32_t b) {
        return codeKeys[a] == codeKeys[b] && codeOf(a) == codeOf(b);
    };

    // Indices in text order, the table's order breaking every tie: placed by
    // their first unit, then each run of one first unit sorted (short runs).
    std::vector<std::uint32_t> byText(entries.size());
    {
        std::vector<std::uint32_t> runStart(kUnits + 1, 0);
        for (const Packed& packed : entries) {
            ++runStart[table.texts_[packed.textAt] + 1U];
        }
        std::partial_sum(runStart.begin(), runStart.end(), runStart.begin());
        std::vector<std::uint32_t> place(runStart.begin(), runStart.end() - 1);
        for (std::uint32_t i = 0; i < entries.size(); ++i) {
            byText[place[table.texts_[entries[i].textAt]]++] = i;
        }
        for (std::size_t unit = 0; unit < kUnits; ++unit) {
            if (runStart[unit + 1] - runStart[unit] > 1) {
                std::sort(byText.begin() + static_cast<std::ptrdiff_t>(runStart[unit]),
                          byText.begin() + static_cast<std::ptrdiff_t>(runStart[unit + 1]),
                          [&](std::uint32_t a, std::uint32_t b) {
                              if (!sameText(a, b)) {
                                  return textLess(a, b);
                              }
                              return sameCode(a, b) ? a < b : codeLess(a, b);
                          });
            }
        }
    }

    // A text with the same code again adds nothing: only its first line counts.
    Result result;
    std::vector<bool> repeated(entries.size(), false);
    std::vector<std::uint32_t> kept;
    kept.reserve(byText.size());
    for (std::size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 && sameText(byText[i - 1], byText[i]) && sameCode(byText[i - 1], byText[i])) {
            result.firstDuplicate = result.duplicates++ == 0
                                        ? byText[i]
                                        : std::min<std::size_t>(result.firstDuplicate, byText[i]);
            repeated[byText[i]] = true;
        } else {
            kept.push_back(byText[i]);
        }
    }
    byText = std::move(kept);

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
        if (!sameCode(a, b)) {
            return codeLess(a, b);
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
        const bool firstCandidate = i == 0 || !sameCode(byCode[i - 1], byCode[i]);
        rank[byCode[i]] = firstCandidate ? 0 : rank[byCode[i - 1]] + 1;
        const bool commitsByItself =
            shapeCodes && firstCandidate && packed.keys == kSelfCommittingKeys;
        packed.cost = static_cast<std::uint8_t>(packed.keys + (commitsByItself ? 0U : 1U));
    }

    // Looked up by text: cheapest first, then the shorter code, then the
    // earlier candidate, then the code. Only what a compact table keeps (the
    // candidates' order, not their weights) decides.
    for (auto first = byText.begin(); first != byText.end();) {
        const auto last = std::find_if(first, byText.end(),
                                       [&](std::uint32_t i) { return !sameText(*first, i); });
        std::sort(first, last, [&](std::uint32_t a, std::uint32_t b) {
            const Packed& x = entries[a];
            const Packed& y = entries[b];
            return std::tuple(x.cost, x.keys, rank[a], codeOf(a)) <
                   std::tuple(y.cost, y.keys, rank[b], codeOf(b));
        });
        first = last;
    }
    std::vector<Packed> sorted;
    sorted.reserve(byText.size());
    for (const std::uint32_t i : byText) {
        sorted.push_back(entries[i]);
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
