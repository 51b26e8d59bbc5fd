// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/character_glyphs.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace keyloom {
namespace {

// Calls `f` with each code point of `text` and the UTF-16 units it takes; a
// lone surrogate stands for U+FFFD, as QString::toUcs4 has it.
template <typename F> void forEachCharacter(QStringView text, F f) {
    for (qsizetype i = 0; i < text.size();) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(unit, text[i + 1]), 2);
            i += 2;
        } else {
            f(unit.isSurrogate() ? char32_t{0xFFFD} : char32_t{unit.unicode()}, 1);
            ++i;
        }
    }
}

} // namespace

bool CharacterGlyphs::append(ShapedText& shaped, QStringView text) {
    if (!shaped.edges.empty() && !shaped.byCharacter) {
        return false; // shaped whole: what follows may join or reorder with it
    }
    // Each character's glyph, and whether it takes two UTF-16 units.
    std::vector<std::pair<const Glyph*, bool>> glyphs;
    glyphs.reserve(static_cast<std::size_t>(text.size()));
    bool alone = true;
    forEachCharacter(text, [&](char32_t character, int units) {
        const Glyph& glyph = glyphOf(character);
        alone = alone && glyph.alone;
        glyphs.emplace_back(&glyph, units == 2);
    });
    if (!alone) {
        return false;
    }
    if (shaped.edges.empty()) {
        shaped = {.runs = {}, .edges = {0}, .lineAscent = 0, .lineDescent = 0, .byCharacter = true};
    }
    qreal lineAscent = shaped.lineAscent;
    for (const auto& [glyph, pair] : glyphs) {
        lineAscent = std::max(lineAscent, glyph->lineAscent);
        shaped.lineDescent = std::max(shaped.lineDescent, glyph->lineDescent);
    }
    // A taller fallback font lowers the baseline of what stands already.
    const qreal lowered = lineAscent - shaped.lineAscent;
    if (lowered > 0) {
        for (QGlyphRun& run : shaped.runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& position : positions) {
                position.ry() += lowered;
            }
            run.setPositions(positions);
        }
        shaped.lineAscent = lineAscent;
    }
    qreal pen = shaped.edges.back();
    QList<quint32> indexes;
    QList<QPointF> positions;
    const QRawFont* runFont = nullptr;
    const auto closeRun = [&] {
        if (runFont == nullptr || indexes.isEmpty()) {
            return;
        }
        if (!shaped.runs.isEmpty() && shaped.runs.back().rawFont() == *runFont) {
            // A typed row grows by a character at a time: one run, not one a character.
            QGlyphRun& last = shaped.runs.back();
            last.setGlyphIndexes(last.glyphIndexes() + indexes);
            last.setPositions(last.positions() + positions);
        } else {
            QGlyphRun run;
            run.setRawFont(*runFont);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            shaped.runs.append(run);
        }
        indexes.clear();
        positions.clear();
    };
    for (const auto& [glyphOfCharacter, pair] : glyphs) {
        const Glyph& glyph = *glyphOfCharacter;
        if (runFont == nullptr || !(*runFont == glyph.font)) {
            closeRun();
            runFont = &glyph.font;
        }
        indexes.append(glyph.index);
        positions.append(glyph.position + QPointF(pen, shaped.lineAscent));
        const qreal end = pen + glyph.advance;
        if (pair) {
            shaped.edges.push_back(pen); // between the units of a surrogate pair
        }
        shaped.edges.push_back(end);
        pen = end;
    }
    closeRun();
    return true;
}

CharacterGlyphs& CharacterGlyphs::of(const QFont& font) {
    // Never freed: its glyphs hold the font engines, which must not be let go
    // once the application has closed its fonts.
    static auto* const byFont = new std::unordered_map<QString, CharacterGlyphs>;
    return byFont->try_emplace(font.key(), font).first->second;
}

std::optional<qreal> CharacterGlyphs::width(QStringView text) {
    qreal width = 0;
    bool alone = true;
    forEachCharacter(text, [&](char32_t character, int /*units*/) {
        const Glyph& glyph = glyphOf(character);
        alone = alone && glyph.alone;
        width += glyph.advance;
    });
    return alone ? std::optional(width) : std::nullopt;
}

void CharacterGlyphs::meet(QStringView text) {
    forEachCharacter(text, [&](char32_t character, int /*units*/) { glyphOf(character); });
}

ShapedText CharacterGlyphs::set(QStringView text) {
    ShapedText shaped;
    if (!append(shaped, text)) {
        shaped = shapeText(text, font_);
    }
    return shaped;
}

const CharacterGlyphs::Glyph& CharacterGlyphs::glyphOf(char32_t character) {
    const auto found = glyphs_.find(character);
    if (found != glyphs_.end()) {
        return found->second;
    }
    Glyph glyph;
    const char32_t alone[] = {character};
    const QString text = QString::fromUcs4(alone, 1);
    const ShapedText shaped = shapeText(text, font_);
    if (shapesAlone(character) && shaped.runs.size() == 1 &&
        shaped.runs.front().glyphIndexes().size() == 1) {
        const QGlyphRun& run = shaped.runs.front();
        glyph.font = run.rawFont();
        glyph.index = run.glyphIndexes().front();
        glyph.position = run.positions().front() - QPointF(0, shaped.lineAscent);
        glyph.advance = shaped.edges.back();
        glyph.lineAscent = shaped.lineAscent;
        glyph.lineDescent = shaped.lineDescent;
        glyph.alone = true;
    }
    return glyphs_.emplace(character, glyph).first->second;
}

} // namespace keyloom
