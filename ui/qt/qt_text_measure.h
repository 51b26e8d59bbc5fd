// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "ui/qt/character_glyphs.h"

#include <QFontMetricsF>
#include <array>
#include <cstddef>
#include <string>

namespace keyloom {

// AutoSize widths as Qt lays the text out, in twips: a text the labels and
// panes set from kept glyphs is as wide as their advances, and of another
// the last few widths are kept: a label that changed is measured where its
// place is chosen and again where it is drawn, and laying out a text is most
// of what measuring costs.
class QtTextMeasure : public TextMeasure {
  public:
    QtTextMeasure();
    [[nodiscard]] Twips width(std::u16string_view text, FontRole font) const override;

  private:
    struct Measured {
        FontRole font = FontRole::Standard;
        std::u16string text;
        Twips width = 0;
    };
    std::array<QFontMetricsF, 3> metrics_;
    std::array<CharacterGlyphs*, 3> glyphs_; // by FontRole
    mutable std::array<Measured, 4> recent_;
    mutable std::size_t nextRecent_ = 0;
};

} // namespace keyloom
