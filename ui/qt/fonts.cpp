// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/fonts.h"

#include "ui/font_sizes.h"

#include <QStringList>

namespace keyloom {

// Every role draws in one Song face. AR PL SungtiL GB comes first after the
// Windows names: it covers GB 2312 in a 5 MB file with its glyphs close
// together, so a run touches few font pages, and like SimSun it gives Latin
// half an em. Characters it lacks come from Noto Serif CJK, whose 26 MB of
// outlines lie so far apart that nearly every new character maps another
// 64 KB of it. Characters beyond the BMP (CJK Extension B) come from HanaMinB.
QFont fontFor(FontRole role) {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("HanaMinB")});
    font.setPixelSize(fontPixels(role)); // Qt scales logical pixels itself
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::Serif);
    // Strokes on whole pixels, as Windows draws SimSun at these sizes: the
    // thin Song strokes stay bright instead of blurring into grey.
    font.setHintingPreference(QFont::PreferFullHinting);
    // Nor kerning nor ligatures, as Windows draws text: each character then
    // looks the same wherever it stands, and a text of them can be set from
    // glyphs kept per character.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace keyloom
