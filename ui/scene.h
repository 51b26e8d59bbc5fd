// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/window_description.h"
#include "practice/main_controls.h"
#include "ui/colours.h"
#include "ui/pixels.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace keyloom {

// Where a label's text stands in its box.
enum class TextPlacement : std::uint8_t {
    Baseline,     // rows and marks: the em box fills the label
    TopLeft,      // the captions along the top
    RightCentred, // the value boxes
};

// One thing the main window draws, in the window's client pixels at the
// scene's dpi.
struct SceneItem {
    enum class Kind : std::uint8_t { Pane, Text, Line };
    Kind kind = Kind::Text;
    std::string_view name{}; // its design name
    int index = -1;          // its element of a label array, or -1
    std::string_view pane{}; // the picture box it is drawn in; empty: the client area
    PixelRect box{};         // its box; a line's pixels
    PixelRect reach{};       // every pixel its drawing may touch; empty while hidden
    bool visible = true;
    bool opaque = false; // fills its box with `back` before its text
    Rgb back{};
    Rgb fore{};
    FontRole font = FontRole::Standard;
    TextPlacement placement = TextPlacement::TopLeft;
    std::u16string caption{};
};

// What one update changed of one item.
struct SceneChange {
    std::size_t group = 0;          // which of Scene::groups()
    int index = -1;                 // which item of it
    const SceneItem* now = nullptr; // nullptr: it is gone
    PixelRect before{};             // what it reached before; empty: it was not shown
    // When only the caption changed: its first UTF-16 unit that differs, on a
    // character's start; what stands before it is drawn as it was.
    std::optional<std::size_t> captionFrom;
};

// What the main window shows, worked out once for every toolkit: the panes,
// the labels of the design and the caret, their boxes in pixels at a dpi,
// their colours and fonts, and what changed since the last update. A binding
// paints the items and repaints what changed; it may keep caches of its own
// (shaped captions), keyed by group and index.
//
// The scene walks the window's description: every label on the client area
// shows (the handlers' ones and the others alike), and every picture box
// with the label arrays and lines inside it.
class Scene {
  public:
    // The items of one control, in painting order.
    struct Group {
        std::string_view name;
        std::string_view pane;
        std::map<int, SceneItem> items; // by index; -1 for a single control
    };

    Scene(const WindowDescription& design, const MainControls& controls, const TextMeasure& measure,
          int dpi = kDesignDpi);

    // Brings the items up to the controls and returns what changed; the
    // first update adds every item.
    const std::vector<SceneChange>& update();

    [[nodiscard]] const std::vector<Group>& groups() const { return groups_; }
    [[nodiscard]] const SceneItem* find(std::string_view name, int index = -1) const;
    // Whether a line (the caret) moved in the last update.
    [[nodiscard]] bool lineMoved() const { return lineMoved_; }
    [[nodiscard]] int dpi() const { return dpi_; }

  private:
    using Source =
        std::variant<const Label*, const LabelArray*, const LineShape*, const PictureBox*>;
    // What a group was last made from, to compare the controls with.
    struct Shown {
        Source source;
        PixelRect paneBox; // the pane a group is drawn in, or the client area
        Twips originX = 0; // its pane's origin in the client area
        Twips originY = 0;
        std::map<int, Label> labels; // label groups
        std::optional<LineShape> line;
        std::optional<PictureBox> picture;
        std::optional<LabelArray::ChangeMark> seen; // label arrays: their changes shown
    };

    void addGroup(std::string_view name, std::string_view pane, Source source);
    void updateLabels(std::size_t group, const LabelArray& array);
    void updateElement(std::size_t group, int index, const std::map<int, Label>& now);
    void updateAll(std::size_t group, const std::map<int, Label>& now);
    void removeItem(std::size_t group, int index);
    void updateOne(std::size_t group, const Label& now);
    void updateLabel(std::size_t group, Label& shown, int index, const Label& now, bool added);
    void updateLine(std::size_t group, const LineShape& now);
    void updatePane(std::size_t group, const PictureBox& now);
    [[nodiscard]] SceneItem textItem(const Group& group, const Shown& shown, int index,
                                     const Label& label) const;
    void record(std::size_t group, int index, const SceneItem* now, const PixelRect& before,
                std::optional<std::size_t> captionFrom = std::nullopt);

    const TextMeasure& measure_;
    int dpi_;
    std::vector<Group> groups_;
    std::vector<Shown> shown_; // as groups_
    std::vector<SceneChange> changes_;
    bool lineMoved_ = false;
};

} // namespace keyloom
