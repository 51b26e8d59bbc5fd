#include "ui/qt/qt_text_measure.h"

#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"

#include <QString>

namespace keyloom {

QtTextMeasure::QtTextMeasure()
    : metrics_{QFontMetricsF(fontFor(FontRole::Standard)), QFontMetricsF(fontFor(FontRole::Row)),
               QFontMetricsF(fontFor(FontRole::Value))} {}

Twips QtTextMeasure::width(std::u16string_view text, FontRole font) const {
    const QString qtext = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    return toTwips(metrics_.at(static_cast<std::size_t>(font)).horizontalAdvance(qtext));
}

} // namespace keyloom
