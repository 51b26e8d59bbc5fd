// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/code_table.h"
#include "codes/ideal_split.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace keyloom {

// The hint at unit `caret` of `text`, split by `split`: the best way on as
// the text and its code, "中国 khlg" for a word, "的 r" for a character, and
// a character's longer full code too, "的 r · rqyy". Empty where the way on
// is a punctuation key, a character of no entry, or the text's end.
std::string codeHint(const CodeTable& table, const IdealSplit& split, std::u16string_view text,
                     std::size_t caret);

// Every code of `text`, cheapest first, "r · rqyy"; empty when it has none.
std::string codesOf(const CodeTable& table, std::u16string_view text);

} // namespace keyloom
