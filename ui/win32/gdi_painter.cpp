// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/gdi_painter.h"

#include "ui/font_sizes.h"
#include "ui/win32/gdi_text.h"

#include <optional>

namespace keyloom {
namespace {

void paintText(HDC dc, const SceneItem& item, const GdiFonts& fonts) {
    SelectObject(dc, fonts.font(item.font));
    SetTextColor(dc, toColorRef(item.fore));
    SetBkMode(dc, TRANSPARENT);
    const auto* text = reinterpret_cast<const wchar_t*>(item.caption.data());
    const auto length = static_cast<UINT>(item.caption.size());
    if (item.placement == TextPlacement::Baseline) {
        SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
        const RECT clip = toRect(item.reach);
        drawText(dc, fonts, item.font, item.box.left,
                 item.box.top + baselineBelowTop(item.font, fonts.dpi()), clip, item.caption);
        return;
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    RECT box = toRect(item.box);
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    format |=
        item.placement == TextPlacement::RightCentred ? (DT_RIGHT | DT_VCENTER) : DT_LEFT | DT_TOP;
    DrawTextW(dc, text, static_cast<int>(length), &box, format);
}

void fill(HDC dc, const PixelRect& area, Rgb colour) {
    const RECT r = toRect(area);
    SetBkColor(dc, toColorRef(colour));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

} // namespace

COLORREF toColorRef(Colour colour, COLORREF standard) {
    const std::optional<Rgb> rgb = designRgb(colour);
    return rgb ? toColorRef(*rgb) : standard;
}

HRGN changedRegion(const std::vector<SceneChange>& changes) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const auto add = [region](const PixelRect& area) {
        if (area.empty()) {
            return;
        }
        HRGN piece = CreateRectRgn(area.left, area.top, area.right, area.bottom);
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
    };
    for (const SceneChange& change : changes) {
        add(change.before);
        if (change.now != nullptr) {
            add(change.now->reach);
        }
    }
    return region;
}

void paintScene(HDC dc, const Scene& scene, const GdiFonts& fonts) {
    for (const Scene::Group& group : scene.groups()) {
        for (const auto& [index, item] : group.items) {
            const RECT reach = toRect(item.reach);
            if (item.reach.empty() || RectVisible(dc, &reach) == FALSE) {
                continue;
            }
            if (item.opaque) {
                fill(dc, item.box, item.back);
            }
            switch (item.kind) {
            case SceneItem::Kind::Pane: break;
            case SceneItem::Kind::Line: fill(dc, item.reach, item.fore); break;
            case SceneItem::Kind::Text:
                if (!item.caption.empty()) {
                    paintText(dc, item, fonts);
                }
                break;
            }
        }
    }
}

} // namespace keyloom
