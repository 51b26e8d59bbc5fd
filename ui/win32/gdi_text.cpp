// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/gdi_text.h"

#include <algorithm>
#include <usp10.h>
#include <vector>

namespace keyloom {
namespace {

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Calls `run(beyondBmp, text)` for each stretch of `text` that one font draws.
template <class Run> void forEachRun(std::u16string_view text, Run run) {
    while (!text.empty()) {
        const bool beyondBmp = isSurrogate(text.front());
        const auto* end = std::ranges::find_if(
            text, [beyondBmp](char16_t unit) { return isSurrogate(unit) != beyondBmp; });
        const auto length = static_cast<std::size_t>(end - text.data());
        run(beyondBmp, text.substr(0, length));
        text.remove_prefix(length);
    }
}

// A run beyond the BMP as glyphs of the selected font. ExtTextOutW takes
// UTF-16 units one by one on some systems, so the run is shaped first.
struct Shaped {
    std::vector<WORD> glyphs;
    std::vector<int> advances;
    int width = 0;
};

Shaped shape(HDC dc, std::u16string_view run) {
    Shaped shaped;
    const auto* text = reinterpret_cast<const wchar_t*>(run.data());
    const auto length = static_cast<int>(run.size());
    const int room = length * 3 / 2 + 16; // Uniscribe's advice for the glyph buffer
    shaped.glyphs.resize(static_cast<std::size_t>(room));
    std::vector<WORD> clusters(run.size());
    std::vector<SCRIPT_VISATTR> attributes(static_cast<std::size_t>(room));
    SCRIPT_CACHE cache = nullptr;
    SCRIPT_ANALYSIS analysis{};
    int count = 0;
    if (ScriptShape(dc, &cache, text, length, room, &analysis, shaped.glyphs.data(),
                    clusters.data(), attributes.data(), &count) == S_OK) {
        shaped.glyphs.resize(static_cast<std::size_t>(count));
        shaped.advances.resize(static_cast<std::size_t>(count));
        std::vector<GOFFSET> offsets(static_cast<std::size_t>(count));
        ABC abc{};
        if (ScriptPlace(dc, &cache, shaped.glyphs.data(), count, attributes.data(), &analysis,
                        shaped.advances.data(), offsets.data(), &abc) == S_OK) {
            shaped.width = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
        }
    } else {
        shaped.glyphs.clear();
    }
    ScriptFreeCache(&cache);
    return shaped;
}

int bmpWidth(HDC dc, std::u16string_view run) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(run.data()),
                          static_cast<int>(run.size()), &size);
    return size.cx;
}

} // namespace

int measureText(HDC dc, const GdiFonts& fonts, FontRole role, std::u16string_view text) {
    int width = 0;
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    forEachRun(text, [&](bool beyondBmp, std::u16string_view run) {
        SelectObject(dc, beyondBmp ? fonts.beyondBmp(role) : fonts.font(role));
        width += beyondBmp ? shape(dc, run).width : bmpWidth(dc, run);
    });
    SelectObject(dc, previous);
    return width;
}

void drawText(HDC dc, const GdiFonts& fonts, FontRole role, int x, int baseline, const RECT& clip,
              std::u16string_view text) {
    forEachRun(text, [&](bool beyondBmp, std::u16string_view run) {
        if (beyondBmp) {
            SelectObject(dc, fonts.beyondBmp(role));
            const Shaped shaped = shape(dc, run);
            ExtTextOutW(dc, x, baseline, ETO_CLIPPED | ETO_GLYPH_INDEX, &clip,
                        reinterpret_cast<const wchar_t*>(shaped.glyphs.data()),
                        static_cast<UINT>(shaped.glyphs.size()), shaped.advances.data());
            x += shaped.width;
        } else {
            SelectObject(dc, fonts.font(role));
            ExtTextOutW(dc, x, baseline, ETO_CLIPPED, &clip,
                        reinterpret_cast<const wchar_t*>(run.data()), static_cast<UINT>(run.size()),
                        nullptr);
            x += bmpWidth(dc, run);
        }
    });
    SelectObject(dc, fonts.font(role));
}

} // namespace keyloom
