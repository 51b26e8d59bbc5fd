// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/code_hint.h"

#include "text/utf8_text.h"

namespace keyloom {
namespace {

constexpr std::string_view kBetweenCodes = " · ";

} // namespace

std::string codeHint(const CodeTable& table, const IdealSplit& split, std::u16string_view text,
                     std::size_t caret) {
    const SplitPiece piece = split.pieceAt(caret);
    if (piece.kind != SplitPiece::Kind::Entry) {
        return {};
    }
    const std::u16string_view shown = text.substr(piece.begin, piece.units);
    std::string hint = toUtf8(shown) + " " + std::string(piece.code);
    if (piece.characters == 1) {
        CodeEntry longest;
        for (const CodeEntry& entry : table.entriesOf(shown)) {
            if (entry.keys > longest.keys) {
                longest = entry;
            }
        }
        if (longest.code != piece.code && longest.keys > piece.code.size()) {
            hint += std::string(kBetweenCodes) + std::string(longest.code);
        }
    }
    return hint;
}

std::string codesOf(const CodeTable& table, std::u16string_view text) {
    std::string codes;
    for (const CodeEntry& entry : table.entriesOf(text)) {
        codes += (codes.empty() ? std::string_view() : kBetweenCodes);
        codes += entry.code;
    }
    return codes;
}

} // namespace keyloom
