// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/qt_text_measure.h"

#include "ui/pixels.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_strings.h"

namespace keyloom {

QtTextMeasure::QtTextMeasure()
    : metrics_{QFontMetricsF(fontFor(FontRole::Standard)), QFontMetricsF(fontFor(FontRole::Row)),
               QFontMetricsF(fontFor(FontRole::Value))} {}

Twips QtTextMeasure::width(std::u16string_view text, FontRole font) const {
    return toTwips(metrics_.at(static_cast<std::size_t>(font)).horizontalAdvance(toQString(text)));
}

} // namespace keyloom
