// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "ui/win32/gdi_fonts.h"

namespace keyloom {

// Caption widths as GDI draws them in the design fonts at 96 dpi, so that the
// handlers' twips are the same on every monitor.
class GdiTextMeasure : public TextMeasure {
  public:
    GdiTextMeasure();
    GdiTextMeasure(const GdiTextMeasure&) = delete;
    GdiTextMeasure& operator=(const GdiTextMeasure&) = delete;
    ~GdiTextMeasure() override;

    [[nodiscard]] Twips width(std::u16string_view text, FontRole font) const override;

  private:
    GdiFonts fonts_;
    HDC dc_;
};

} // namespace keyloom
