// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"

namespace keyloom {

// The row font's widths without a toolkit: 240 twips a full-width character,
// 120 a half-width one.
class FixedMeasure : public TextMeasure {
  public:
    [[nodiscard]] Twips width(std::u16string_view text, FontRole /*font*/) const override {
        Twips total = 0;
        for (const char16_t ch : text) {
            total += ch < 0x80 ? 120.0F : 240.0F;
        }
        return total;
    }
};

} // namespace keyloom
