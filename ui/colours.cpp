// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colours.h"

namespace keyloom {
namespace {

constexpr Colour kSystemFlag = 0x80000000U;

} // namespace

std::optional<Rgb> designRgb(Colour colour) {
    if (colour == kStandardColour) {
        return std::nullopt;
    }
    if ((colour & kSystemFlag) != 0) {
        // The standard scheme's values on every platform: under some schemes
        // (Wine's own among them) title-bar text is black, which would hide
        // the numbers in their boxes.
        switch (colour & 0xFFU) {
        case 5: // window background
        case 9: // active title-bar text
            return Rgb{255, 255, 255};
        case 7: return kBlack; // menu text
        default: return std::nullopt;
        }
    }
    return Rgb{static_cast<std::uint8_t>(colour & 0xFFU),
               static_cast<std::uint8_t>((colour >> 8) & 0xFFU),
               static_cast<std::uint8_t>((colour >> 16) & 0xFFU)};
}

} // namespace keyloom
