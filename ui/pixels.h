// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"

#include <algorithm>
#include <cmath>

namespace keyloom {

// The designs' twips against pixels: 1440 twips to an inch, so 15 to a pixel
// at 96 dpi and proportionally fewer at a higher dpi. Qt passes 96 for its
// logical pixels, which it scales itself on HiDPI screens.
constexpr int kDesignDpi = 96;
constexpr double kTwipsPerInch = 1440.0;

inline int toPixels(Twips twips, int dpi = kDesignDpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

inline Twips toTwips(double pixels, int dpi = kDesignDpi) {
    return static_cast<Twips>(pixels * kTwipsPerInch / dpi);
}

// A rectangle of whole pixels; right and bottom lie just outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int width() const { return right - left; }
    [[nodiscard]] int height() const { return bottom - top; }
    [[nodiscard]] bool empty() const { return right <= left || bottom <= top; }
    [[nodiscard]] PixelRect united(const PixelRect& other) const {
        if (empty()) {
            return other;
        }
        if (other.empty()) {
            return *this;
        }
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    [[nodiscard]] PixelRect intersected(const PixelRect& other) const {
        const PixelRect both{std::max(left, other.left), std::max(top, other.top),
                             std::min(right, other.right), std::min(bottom, other.bottom)};
        return both.empty() ? PixelRect{} : both;
    }
    bool operator==(const PixelRect&) const = default;
};

// A box given in twips as whole pixels: each edge is rounded, so boxes that
// touch in twips touch in pixels.
inline PixelRect pixelRect(Twips left, Twips top, Twips width, Twips height, int dpi = kDesignDpi) {
    return {toPixels(left, dpi), toPixels(top, dpi), toPixels(left + width, dpi),
            toPixels(top + height, dpi)};
}

} // namespace keyloom
