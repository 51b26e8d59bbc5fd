// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/character_glyphs.h"

#include <algorithm>
#include <vector>

namespace keyloom {

bool CharacterGlyphs::append(ShapedText& shaped, QStringView text) {
    if (!shaped.edges.empty() && !shaped.byCharacter) {
        return false; // shaped whole: what follows may join or reorder with it
    }
    const QList<uint> characters = text.toUcs4();
    std::vector<const Glyph*> glyphs;
    glyphs.reserve(static_cast<std::size_t>(characters.size()));
    for (const uint character : characters) {
        const Glyph& glyph = glyphOf(character);
        if (!glyph.alone) {
            return false;
        }
        glyphs.push_back(&glyph);
    }
    if (shaped.edges.empty()) {
        shaped = {.runs = {}, .edges = {0}, .lineAscent = 0, .lineDescent = 0, .byCharacter = true};
    }
    qreal lineAscent = shaped.lineAscent;
    for (const Glyph* glyph : glyphs) {
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
        if (runFont != nullptr && !indexes.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(*runFont);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            shaped.runs.append(run);
        }
        indexes.clear();
        positions.clear();
    };
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& glyph = *glyphs[i];
        if (runFont == nullptr || !(*runFont == glyph.font)) {
            closeRun();
            runFont = &glyph.font;
        }
        indexes.append(glyph.index);
        positions.append(glyph.position + QPointF(pen, shaped.lineAscent));
        const qreal end = pen + glyph.advance;
        if (characters[static_cast<qsizetype>(i)] > 0xFFFF) {
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
    for (const uint character : text.toUcs4()) {
        const Glyph& glyph = glyphOf(character);
        if (!glyph.alone) {
            return std::nullopt;
        }
        width += glyph.advance;
    }
    return width;
}

void CharacterGlyphs::meet(QStringView text) {
    for (const uint character : text.toUcs4()) {
        glyphOf(character);
    }
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
