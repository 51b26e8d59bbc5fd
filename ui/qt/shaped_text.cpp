// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/shaped_text.h"

#include <QTextLayout>

namespace keyloom {

ShapedText shapeText(QStringView text, const QFont& font) {
    ShapedText shaped;
    if (text.isEmpty()) {
        return shaped;
    }
    QTextLayout layout(text.toString(), font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    shaped.runs = layout.glyphRuns();
    shaped.lineAscent = line.ascent();
    shaped.lineDescent = line.descent();
    shaped.edges.reserve(static_cast<std::size_t>(text.size()) + 1);
    for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
        shaped.edges.push_back(line.cursorToX(i));
    }
    return shaped;
}

bool shapesAlone(char32_t character) {
    switch (QChar::script(character)) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
    case QChar::Script_Hangul:
        return !QChar::isMark(character) && QChar::category(character) != QChar::Other_Format;
    default: return false;
    }
}

} // namespace keyloom
