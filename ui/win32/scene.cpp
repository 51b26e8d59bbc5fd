#include "ui/win32/scene.h"

#include "ui/win32/dpi.h"
#include "ui/win32/gdi_text.h"
#include "forms/window_description.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace keyloom {
namespace {

constexpr Colour kSystemFlag = 0x80000000U;
// The ideographic em box of the CJK fonts lies 0.88 em above the baseline.
constexpr double kEmAboveBaseline = 0.88;

RECT unite(const RECT& a, const RECT& b) {
    RECT out{};
    UnionRect(&out, &a, &b);
    return out;
}

// Text reaches a little above and below its label: a font's line box is
// taller than its em.
RECT textReach(const RECT& box, int emPixels) {
    const int slack = (emPixels + 1) / 2;
    return {box.left, box.top - slack, box.right, box.bottom + slack};
}

SIZE textSize(HDC dc, HFONT font, const std::u16string& text) {
    SIZE size{};
    if (!text.empty()) {
        const HGDIOBJ previous = SelectObject(dc, font);
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
    }
    return size;
}

class SceneBuilder {
  public:
    SceneBuilder(const GdiFonts& fonts, HDC dc) : fonts_(fonts), dc_(dc) {}

    void windowLabel(const std::string& key, const Label& label) {
        const int dpi = fonts_.dpi();
        DrawItem item{.key = key};
        item.text = label.caption;
        item.box = pixelRect(0, 0, label.left, label.top, label.width, label.height, dpi);
        item.font = label.font;
        item.fore = toColorRef(label.foreColor, GetSysColor(COLOR_BTNTEXT));
        if (label.autoSize) {
            const SIZE size = textSize(dc_, fonts_.font(label.font), label.caption);
            item.box.right = item.box.left + size.cx;
            item.box.bottom = item.box.top + std::max<LONG>(size.cy, 1);
        }
        item.clip = item.box;
        if (label.backColor != ElementDesign::kStandardColour) {
            // The value boxes: an opaque box, the number right-justified in it.
            item.opaque = true;
            item.back = toColorRef(label.backColor, GetSysColor(COLOR_WINDOW));
            item.rightAligned = true;
        }
        add(std::move(item), label.visible);
    }

    void pane(const std::string& key, const PictureBox& box) {
        DrawItem item{.key = key, .kind = DrawItem::Kind::Pane};
        item.opaque = true;
        item.box = pixelRect(0, 0, box.left, box.top, box.width, box.height, fonts_.dpi());
        item.clip = item.box;
        item.back = toColorRef(box.backColor, GetSysColor(COLOR_MENUTEXT));
        paneBox_ = item.box;
        origin_ = {box.left, box.top};
        add(std::move(item), true);
    }

    void paneLabels(const std::string& name, const LabelArray& array) {
        for (const auto& [index, label] : array.elements()) {
            if (!label.visible) {
                continue;
            }
            const int dpi = fonts_.dpi();
            DrawItem item{.key = name + "(" + std::to_string(index) + ")"};
            item.text = label.caption;
            item.box = pixelRect(origin_.x, origin_.y, label.left, label.top, label.width,
                                 label.height, dpi);
            item.font = label.font;
            item.fore = toColorRef(label.foreColor, GetSysColor(COLOR_BTNTEXT));
            item.opaque = !label.transparent;
            item.back = toColorRef(label.backColor, GetSysColor(COLOR_BTNFACE));
            item.baselineText = true;
            RECT clip = textReach(item.box, MulDiv(fontPixels(label.font), dpi, kDesignDpi));
            IntersectRect(&clip, &clip, &paneBox_);
            item.clip = clip;
            add(std::move(item), true);
        }
    }

    void caret(const LineShape& line) {
        const int dpi = fonts_.dpi();
        const int x1 = toPixels(origin_.x + line.x1, dpi);
        const int y1 = toPixels(origin_.y + line.y1, dpi);
        const int x2 = toPixels(origin_.x + line.x2, dpi);
        const int y2 = toPixels(origin_.y + line.y2, dpi);
        DrawItem item{.key = "Line1", .kind = DrawItem::Kind::Line};
        item.box = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
        IntersectRect(&item.clip, &item.box, &paneBox_);
        item.fore = toColorRef(line.color, RGB(255, 255, 0));
        add(std::move(item), line.visible);
    }

    std::vector<DrawItem> take() { return std::move(items_); }

  private:
    void add(DrawItem item, bool visible) {
        if (visible) {
            items_.push_back(std::move(item));
        }
    }

    const GdiFonts& fonts_;
    HDC dc_;
    RECT paneBox_{};
    struct {
        Twips x, y;
    } origin_{0, 0};
    std::vector<DrawItem> items_;
};

void paintText(HDC dc, const DrawItem& item, const GdiFonts& fonts) {
    const HFONT font = fonts.font(item.font);
    SelectObject(dc, font);
    SetTextColor(dc, item.fore);
    SetBkMode(dc, TRANSPARENT);
    const auto* text = reinterpret_cast<const wchar_t*>(item.text.data());
    const auto length = static_cast<UINT>(item.text.size());
    if (item.baselineText) {
        SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
        const int em = MulDiv(fontPixels(item.font), fonts.dpi(), kDesignDpi);
        const int baseline = item.box.top + static_cast<int>(std::lround(kEmAboveBaseline * em));
        drawText(dc, fonts, item.font, item.box.left, baseline, item.clip, item.text);
        return;
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    RECT box = item.box;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    format |= item.rightAligned ? (DT_RIGHT | DT_VCENTER) : DT_LEFT | DT_TOP;
    DrawTextW(dc, text, static_cast<int>(length), &box, format);
}

} // namespace

COLORREF toColorRef(Colour colour, COLORREF standard) {
    if (colour == ElementDesign::kStandardColour) {
        return standard;
    }
    if ((colour & kSystemFlag) != 0) {
        // The standard scheme's values, as on Linux: under some schemes (Wine's
        // own among them) title-bar text is black, which would hide the
        // numbers in their boxes.
        switch (colour & 0xFFU) {
        case COLOR_WINDOW:      // 5
        case COLOR_CAPTIONTEXT: // 9
            return RGB(255, 255, 255);
        case COLOR_MENUTEXT: return RGB(0, 0, 0); // 7
        default: return GetSysColor(static_cast<int>(colour & 0xFFU));
        }
    }
    return static_cast<COLORREF>(colour & 0x00FFFFFFU); // 0x00BBGGRR, as GDI holds it
}

std::vector<DrawItem> buildScene(const MainControls& c, const GdiFonts& fonts, HDC measureDc) {
    SceneBuilder scene(fonts, measureDc);
    const std::pair<const char*, const Label*> labels[] = {
        {"lblTtime", &c.lblTtime}, {"lblTime", &c.lblTime}, {"Label6", &c.Label6},
        {"Label5", &c.Label5},     {"Label3", &c.Label3},   {"lblSudu", &c.lblSudu},
        {"lblTF", &c.lblTF},       {"Label4", &c.Label4},   {"lblFalse", &c.lblFalse},
        {"lblTrue", &c.lblTrue},   {"Label2", &c.Label2},   {"Label1", &c.Label1}};
    for (const auto& [name, label] : labels) {
        scene.windowLabel(name, *label);
    }
    scene.pane("picType", c.picType);
    scene.paneLabels("lblType", c.lblType);
    scene.caret(c.Line1);
    scene.pane("picEgg", c.picEgg);
    scene.paneLabels("lblEgg", c.lblEgg);
    scene.paneLabels("lblErr", c.lblErr);
    scene.paneLabels("lblOK", c.lblOK);
    return scene.take();
}

HRGN changedRegion(const std::vector<DrawItem>& before, const std::vector<DrawItem>& after) {
    std::map<std::string_view, const DrawItem*> old;
    for (const DrawItem& item : before) {
        old.emplace(item.key, &item);
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const auto add = [region](const RECT& r) {
        HRGN piece = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
    };
    for (const DrawItem& item : after) {
        const auto found = old.find(item.key);
        if (found == old.end()) {
            add(unite(item.box, item.clip));
            continue;
        }
        if (!(*found->second == item)) {
            add(unite(unite(item.box, item.clip), unite(found->second->box, found->second->clip)));
        }
        old.erase(found);
    }
    for (const auto& [key, item] : old) {
        add(unite(item->box, item->clip));
    }
    return region;
}

void paintScene(HDC dc, const std::vector<DrawItem>& items, const GdiFonts& fonts) {
    for (const DrawItem& item : items) {
        const RECT reach = unite(item.box, item.clip);
        if (RectVisible(dc, &reach) == FALSE) {
            continue;
        }
        if (item.opaque) {
            SetBkColor(dc, item.back);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item.box, nullptr, 0, nullptr);
        }
        switch (item.kind) {
        case DrawItem::Kind::Pane: break;
        case DrawItem::Kind::Line:
            SetBkColor(dc, item.fore);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item.clip, nullptr, 0, nullptr);
            break;
        case DrawItem::Kind::Text:
            if (!item.text.empty()) {
                paintText(dc, item, fonts);
            }
            break;
        }
    }
}

} // namespace keyloom
