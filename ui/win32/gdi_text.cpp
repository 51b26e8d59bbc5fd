// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/gdi_text.h"

#include <algorithm>

namespace keyloom {
namespace {

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Calls `run(font, text)` for each stretch of `text` that one font draws.
template <class Run>
void forEachRun(const GdiFonts& fonts, FontRole role, std::u16string_view text, Run run) {
    while (!text.empty()) {
        const bool beyondBmp = isSurrogate(text.front());
        const auto* end = std::ranges::find_if(
            text, [beyondBmp](char16_t unit) { return isSurrogate(unit) != beyondBmp; });
        const auto length = static_cast<std::size_t>(end - text.data());
        run(beyondBmp ? fonts.beyondBmp(role) : fonts.font(role), text.substr(0, length));
        text.remove_prefix(length);
    }
}

SIZE runSize(HDC dc, std::u16string_view run) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(run.data()),
                          static_cast<int>(run.size()), &size);
    return size;
}

} // namespace

SIZE measureText(HDC dc, const GdiFonts& fonts, FontRole role, std::u16string_view text) {
    SIZE total{};
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    forEachRun(fonts, role, text, [&](HFONT font, std::u16string_view run) {
        SelectObject(dc, font);
        const SIZE size = runSize(dc, run);
        total.cx += size.cx;
        total.cy = std::max(total.cy, size.cy);
    });
    SelectObject(dc, previous);
    return total;
}

void drawText(HDC dc, const GdiFonts& fonts, FontRole role, int x, int baseline, const RECT& clip,
              std::u16string_view text) {
    forEachRun(fonts, role, text, [&](HFONT font, std::u16string_view run) {
        SelectObject(dc, font);
        ExtTextOutW(dc, x, baseline, ETO_CLIPPED, &clip,
                    reinterpret_cast<const wchar_t*>(run.data()), static_cast<UINT>(run.size()),
                    nullptr);
        x += runSize(dc, run).cx;
    });
    SelectObject(dc, fonts.font(role));
}

} // namespace keyloom
