// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/qt_text_measure.h"

#include "ui/pixels.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_strings.h"

#include <optional>

namespace keyloom {

QtTextMeasure::QtTextMeasure()
    : metrics_{QFontMetricsF(fontFor(FontRole::Standard)), QFontMetricsF(fontFor(FontRole::Row)),
               QFontMetricsF(fontFor(FontRole::Value))},
      glyphs_{&CharacterGlyphs::of(fontFor(FontRole::Standard)),
              &CharacterGlyphs::of(fontFor(FontRole::Row)),
              &CharacterGlyphs::of(fontFor(FontRole::Value))} {}

Twips QtTextMeasure::width(std::u16string_view text, FontRole font) const {
    if (const std::optional<qreal> set =
            glyphs_.at(static_cast<std::size_t>(font))
                ->width(QStringView(text.data(), static_cast<qsizetype>(text.size())))) {
        return toTwips(*set);
    }
    for (const Measured& measured : recent_) {
        if (measured.font == font && measured.text == text) {
            return measured.width;
        }
    }
    const Twips width =
        toTwips(metrics_.at(static_cast<std::size_t>(font)).horizontalAdvance(toQString(text)));
    Measured& kept = recent_.at(nextRecent_);
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    kept.font = font;
    kept.text = text;
    kept.width = width;
    return width;
}

} // namespace keyloom
