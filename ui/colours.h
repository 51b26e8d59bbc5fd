// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"

#include <cstdint>
#include <optional>

namespace keyloom {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A design colour (0x00BBGGRR, or 0x800000nn for system colour nn) as red,
// green and blue; nothing for the standard colour and for system colours the
// designs do not use, where the platform's own colour shows.
std::optional<Rgb> designRgb(Colour colour);

// The same, with `standard` where the platform's colour would show.
inline Rgb rgbOf(Colour colour, Rgb standard) {
    return designRgb(colour).value_or(standard);
}

// The colours the main window shows where its design stores none.
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kButtonFace{240, 240, 240};

} // namespace keyloom
