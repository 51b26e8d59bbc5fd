// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/qt/shaped_text.h"

#include <QFont>
#include <QRawFont>
#include <QStringView>
#include <optional>
#include <unordered_map>

namespace keyloom {

// The glyph of each character of a font as shaped alone, kept once met. A
// text of characters that shape the same alone as beside others
// (`shapesAlone`) is then set from them, without shaping it: a commit sets a
// typed character and a mark, and shaping them, or the typed row again,
// would cost as much as the rest of the commit. Kerning between them is
// left out, as it is between the characters a row's marks are measured by.
class CharacterGlyphs {
  public:
    explicit CharacterGlyphs(const QFont& font) : font_(font) {}
    // The kept glyphs of `font`, shared by every pane and label that draws in it.
    static CharacterGlyphs& of(const QFont& font);

    // Sets `text` after what `shaped` holds, on its baseline; false, with
    // `shaped` as it was, when `shaped` was shaped whole or a character of
    // `text` must be shaped with its neighbours.
    bool append(ShapedText& shaped, QStringView text);
    // `text` set from the kept glyphs, or shaped when it must be.
    [[nodiscard]] ShapedText set(QStringView text);
    // The width `set` gives `text`, or nullopt when it must be shaped.
    [[nodiscard]] std::optional<qreal> width(QStringView text);
    // Keeps the glyphs of `text`'s characters ahead of their use.
    void meet(QStringView text);

    [[nodiscard]] const QFont& font() const { return font_; }

  private:
    struct Glyph {
        QRawFont font;
        quint32 index = 0;
        QPointF position; // from the pen, the baseline at y = 0
        qreal advance = 0;
        qreal lineAscent = 0;
        qreal lineDescent = 0;
        bool alone = false; // one glyph of one font, shaped the same beside others
    };
    const Glyph& glyphOf(char32_t character);

    QFont font_;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

} // namespace keyloom
