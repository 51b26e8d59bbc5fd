// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/ideal_split.h"

#include "text/code_points.h"
#include "text/punctuation.h"

namespace keyloom {

IdealSplit::IdealSplit(const CodeTable& table, std::u16string_view text) : best_(text.size() + 1) {
    best_[text.size()].piece.begin = text.size();
    // From the end back, so that every way on is already known.
    for (std::size_t at = text.size(); at-- > 0;) {
        const std::u16string_view rest = text.substr(at);
        const std::size_t units = unitsOfFirst(rest, 1);
        if (units == 0 || (at > 0 && unitsOfFirst(text.substr(at - 1), 1) == 2)) {
            continue; // the low half of a pair: no character starts here
        }
        Step& step = best_[at];
        const Totals& afterOne = best_[at + units].toEnd;
        step.piece = {SplitPiece::Kind::NoEntry, at, units, 1, "?", 0};
        step.toEnd = {afterOne.keys, afterOne.characters, afterOne.leftOut + 1};
        bool covered = false;
        if (isPunctuation(firstCodePoint(rest))) {
            step.piece = {SplitPiece::Kind::Punctuation, at, units, 1, "-", 1};
            step.toEnd = {afterOne.keys + 1, afterOne.characters + 1, afterOne.leftOut};
            covered = true;
        }
        // Shortest texts come first: on equal cost the longer entry wins.
        table.forEachPrefix(rest, [&](const CodeEntry& entry) {
            const Totals& after = best_[at + entry.text.size()].toEnd;
            const std::size_t keys = after.keys + entry.cost;
            if (covered && keys > step.toEnd.keys) {
                return;
            }
            if (covered && keys == step.toEnd.keys &&
                step.piece.kind == SplitPiece::Kind::Punctuation) {
                return; // a mark's own key, as cheap as its entry
            }
            step.piece = {SplitPiece::Kind::Entry,    at,         entry.text.size(),
                          codePointCount(entry.text), entry.code, entry.cost};
            step.toEnd = {keys, after.characters + step.piece.characters, after.leftOut};
            covered = true;
        });
    }
}

std::vector<SplitPiece> IdealSplit::pieces() const {
    std::vector<SplitPiece> pieces;
    for (std::size_t at = 0; at + 1 < best_.size(); at += best_[at].piece.units) {
        pieces.push_back(best_[at].piece);
    }
    return pieces;
}

SplitPiece IdealSplit::pieceAt(std::size_t caret) const {
    return best_.at(caret).piece;
}

IdealSplit::Totals IdealSplit::totals() const {
    return best_.front().toEnd;
}

double IdealSplit::Totals::idealCodeLength() const {
    return characters == 0 ? 0.0 : static_cast<double>(keys) / static_cast<double>(characters);
}

std::string idealCodeLengthText(const IdealSplit::Totals& totals) {
    // Hundredths, half away from zero, in whole numbers so no binary fraction rounds wrong.
    const std::size_t hundredths =
        totals.characters == 0 ? 0
                               : (totals.keys * 200 + totals.characters) / (2 * totals.characters);
    const std::size_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

std::string idealSummary(const IdealSplit::Totals& totals) {
    return "理想码长 " + idealCodeLengthText(totals) + " 键数 " + std::to_string(totals.keys) +
           " 字数 " + std::to_string(totals.characters) + " 无编码 " +
           std::to_string(totals.leftOut);
}

} // namespace keyloom
