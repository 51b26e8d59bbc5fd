#include "ui/win32/gdi_text_measure.h"

#include "ui/pixels.h"

namespace keyloom {

GdiTextMeasure::GdiTextMeasure() : fonts_(kDesignDpi), dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasure::~GdiTextMeasure() {
    DeleteDC(dc_);
}

Twips GdiTextMeasure::width(std::u16string_view text, FontRole font) const {
    if (text.empty()) {
        return 0;
    }
    const HGDIOBJ previous = SelectObject(dc_, fonts_.font(font));
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    SelectObject(dc_, previous);
    return toTwips(size.cx);
}

} // namespace keyloom
