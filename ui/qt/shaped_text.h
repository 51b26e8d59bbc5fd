// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QStringView>
#include <vector>

namespace keyloom {

// A line of text shaped once, to be drawn again and again: its glyph runs
// from the line's top-left, and the x of each UTF-16 unit's left edge and of
// the end.
struct ShapedText {
    QList<QGlyphRun> runs;
    std::vector<qreal> edges;
    qreal lineAscent = 0;
    qreal lineDescent = 0;
    // Set character by character, each as shaped alone: more may be set after it.
    bool byCharacter = false;
};

// `text` shaped as one line of `font`.
ShapedText shapeText(QStringView text, const QFont& font);

// Whether `character` shapes the same alone as beside others: a character
// of a script whose letters neither join nor reorder, not a mark or a joiner
// that would attach to the one before.
bool shapesAlone(char32_t character);

} // namespace keyloom
