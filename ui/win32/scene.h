#pragma once

#include "practice/main_controls.h"
#include "ui/win32/gdi_fonts.h"

#include <string>
#include <vector>
#include <windows.h>

namespace keyloom {

inline bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// One thing the main window draws, in client pixels at the window's dpi.
struct DrawItem {
    enum class Kind : std::uint8_t { Pane, Text, Line };
    std::string key{}; // which control this is, stable from one scene to the next
    Kind kind = Kind::Text;
    RECT box{};  // the label's or pane's box; the line's pixels
    RECT clip{}; // where its drawing may reach
    bool opaque = false;
    COLORREF back = 0;
    COLORREF fore = 0;
    FontRole font = FontRole::Standard;
    bool rightAligned = false;
    bool baselineText = false; // rows and marks: the em box fills the label
    std::u16string text{};

    bool operator==(const DrawItem& other) const {
        return key == other.key && kind == other.kind && sameRect(box, other.box) &&
               sameRect(clip, other.clip) && opaque == other.opaque && back == other.back &&
               fore == other.fore && font == other.font && rightAligned == other.rightAligned &&
               baselineText == other.baselineText && text == other.text;
    }
};

// The main window's controls as items to draw, in painting order (later
// items over earlier ones). `fonts` sizes the labels that size themselves
// to their text.
std::vector<DrawItem> buildScene(const MainControls& controls, const GdiFonts& fonts,
                                 HDC measureDc);

// The client areas whose drawing differs between two scenes.
HRGN changedRegion(const std::vector<DrawItem>& before, const std::vector<DrawItem>& after);

// Paints the items that meet the DC's clip region.
void paintScene(HDC dc, const std::vector<DrawItem>& items, const GdiFonts& fonts);

// A colour of the designs as GDI's COLORREF; `standard` where none is stored.
COLORREF toColorRef(Colour colour, COLORREF standard);

} // namespace keyloom
