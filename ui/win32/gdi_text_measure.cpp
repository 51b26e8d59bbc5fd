// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/gdi_text_measure.h"

#include "ui/pixels.h"
#include "ui/win32/gdi_text.h"

namespace keyloom {

GdiTextMeasure::GdiTextMeasure() : fonts_(kDesignDpi), dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasure::~GdiTextMeasure() {
    DeleteDC(dc_);
}

Twips GdiTextMeasure::width(std::u16string_view text, FontRole font) const {
    if (text.empty()) {
        return 0;
    }
    return toTwips(measureText(dc_, fonts_, font, text));
}

} // namespace keyloom
