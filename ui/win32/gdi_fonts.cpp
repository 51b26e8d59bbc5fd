#include "ui/win32/gdi_fonts.h"

namespace keyloom {
namespace {

HFONT createSimSun(int pixels, const wchar_t* face, DWORD charset) {
    // A negative height asks for the em (character) height, as a point size does.
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

} // namespace

int fontPixels(FontRole role) {
    switch (role) {
    case FontRole::Row: return 16;   // 12 pt
    case FontRole::Value: return 14; // 10.5 pt
    case FontRole::Standard: break;
    }
    return 12; // the user-interface font: 180 twips a full-width character
}

GdiFonts::GdiFonts(int dpi) : dpi_(dpi) {
    for (const FontRole role : {FontRole::Standard, FontRole::Row, FontRole::Value}) {
        const int pixels = MulDiv(fontPixels(role), dpi, 96);
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
