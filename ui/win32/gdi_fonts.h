// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

#include <array>
#include <windows.h>

namespace keyloom {

// The three fonts of the designs at one dpi: "宋体" (SimSun), GB2312, weight
// 400, 16 px for the rows and marks, 14 px for the value boxes and 12 px for
// everything else at 96 dpi.
class GdiFonts {
  public:
    explicit GdiFonts(int dpi);
    GdiFonts(const GdiFonts&) = delete;
    GdiFonts& operator=(const GdiFonts&) = delete;
    ~GdiFonts();

    [[nodiscard]] HFONT font(FontRole role) const {
        return fonts_.at(static_cast<std::size_t>(role));
    }
    // The same size in SimSun-ExtB, for the characters beyond the BMP.
    [[nodiscard]] HFONT beyondBmp(FontRole role) const {
        return beyondBmp_.at(static_cast<std::size_t>(role));
    }
    [[nodiscard]] int dpi() const { return dpi_; }

  private:
    int dpi_;
    std::array<HFONT, 3> fonts_{};
    std::array<HFONT, 3> beyondBmp_{};
};

} // namespace keyloom
