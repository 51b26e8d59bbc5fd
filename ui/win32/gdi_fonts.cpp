// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/gdi_fonts.h"

#include "ui/font_sizes.h"

namespace keyloom {
namespace {

HFONT createSimSun(int pixels, const wchar_t* face, DWORD charset) {
    // A negative height asks for the em (character) height, as a point size does.
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

} // namespace

GdiFonts::GdiFonts(int dpi) : dpi_(dpi) {
    for (const FontRole role : {FontRole::Standard, FontRole::Row, FontRole::Value}) {
        const int pixels = fontPixels(role, dpi);
        fonts_.at(static_cast<std::size_t>(role)) = createSimSun(pixels, L"宋体", GB2312_CHARSET);
        // Its characters lie in no code page.
        beyondBmp_.at(static_cast<std::size_t>(role)) =
            createSimSun(pixels, L"SimSun-ExtB", DEFAULT_CHARSET);
    }
}

GdiFonts::~GdiFonts() {
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
    for (HFONT font : beyondBmp_) {
        DeleteObject(font);
    }
}

} // namespace keyloom
