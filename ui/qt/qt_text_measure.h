// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

#include <QFontMetricsF>
#include <array>

namespace keyloom {

// AutoSize widths as Qt lays the text out, in twips.
class QtTextMeasure : public TextMeasure {
  public:
    QtTextMeasure();
    [[nodiscard]] Twips width(std::u16string_view text, FontRole font) const override;

  private:
    std::array<QFontMetricsF, 3> metrics_;
};

} // namespace keyloom
