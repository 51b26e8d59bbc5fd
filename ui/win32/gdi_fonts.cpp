#include "ui/win32/gdi_fonts.h"

#include "ui/font_sizes.h"

namespace keyloom {
namespace {

HFONT createSimSun(int pixels) {
    // A negative height asks for the em (character) height, as a point size does.
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"宋体");
}

} // namespace

GdiFonts::GdiFonts(int dpi) : dpi_(dpi) {
    for (const FontRole role : {FontRole::Standard, FontRole::Row, FontRole::Value}) {
        fonts_.at(static_cast<std::size_t>(role)) = createSimSun(fontPixels(role, dpi));
    }
}

GdiFonts::~GdiFonts() {
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
}

} // namespace keyloom
