// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scene.h"

#include "ui/font_sizes.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace keyloom {
namespace {

// Everything: the client area as the pane of its own labels.
constexpr PixelRect kEverywhere{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};

bool sameLabel(const Label& a, const Label& b) {
    return static_cast<const ElementLook&>(a) == static_cast<const ElementLook&>(b) &&
           a.caption == b.caption;
}

// The first UTF-16 unit in which two captions differ, moved back to the
// start of its character.
std::size_t firstDifference(const std::u16string& a, const std::u16string& b) {
    auto at = static_cast<std::size_t>(std::ranges::mismatch(a, b).in1 - a.begin());
    const auto lowSurrogate = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    if (at > 0 &&
        ((at < a.size() && lowSurrogate(a[at])) || (at < b.size() && lowSurrogate(b[at])))) {
        --at;
    }
    return at;
}

} // namespace

Scene::Scene(const WindowDescription& design, const MainControls& controls,
             const TextMeasure& measure, int dpi)
    : measure_(measure), dpi_(dpi) {
    const auto addLabels = [&](const ElementDesign& e, std::string_view pane) {
        const bool seen = std::ranges::any_of(
            groups_, [&](const Group& g) { return g.name == e.name && g.pane == pane; });
        if (seen) {
            return;
        }
        if (e.index < 0) {
            if (const Label* label = findLabel(controls, e.name)) {
                addGroup(e.name, pane, label);
            }
        } else if (const LabelArray* array = findLabelArray(controls, e.name)) {
            addGroup(e.name, pane, array);
        }
    };
    for (const ElementDesign& e : design.elements) {
        if (!e.container.empty()) {
            continue;
        }
        if (e.kind == ElementKind::Label) {
            addLabels(e, {});
            continue;
        }
        const PictureBox* picture =
            e.kind == ElementKind::PictureBox ? findPictureBox(controls, e.name) : nullptr;
        if (picture == nullptr) {
            continue; // the binding makes the other elements itself
        }
        addGroup(e.name, {}, picture);
        shown_.back().paneBox =
            pixelRect(picture->left, picture->top, picture->width, picture->height, dpi_);
        // Its labels, then its lines over them.
        for (const ElementDesign& inside : design.elements) {
            if (inside.container == e.name && inside.kind == ElementKind::Label) {
                addLabels(inside, e.name);
            }
        }
        for (const ElementDesign& inside : design.elements) {
            if (inside.container == e.name && inside.kind == ElementKind::Line) {
                if (const LineShape* line = findLine(controls, inside.name)) {
                    addGroup(inside.name, e.name, line);
                }
            }
        }
    }
}

void Scene::addGroup(std::string_view name, std::string_view pane, Source source) {
    Shown shown{.source = source,
                .paneBox = kEverywhere,
                .labels = {},
                .line = {},
                .picture = {},
                .seen = {}};
    if (!pane.empty()) {
        const auto container = std::ranges::find(groups_, pane, &Group::name);
        const Shown& paneShown = shown_.at(static_cast<std::size_t>(container - groups_.begin()));
        const PictureBox* picture = std::get<const PictureBox*>(paneShown.source);
        shown.paneBox = paneShown.paneBox;
        shown.originX = picture->left;
        shown.originY = picture->top;
    }
    groups_.push_back({.name = name, .pane = pane, .items = {}});
    shown_.push_back(std::move(shown));
}

const std::vector<SceneChange>& Scene::update() {
    changes_.clear();
    lineMoved_ = false;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const Source& source = shown_[g].source;
        if (const auto* label = std::get_if<const Label*>(&source)) {
            updateOne(g, **label);
        } else if (const auto* array = std::get_if<const LabelArray*>(&source)) {
            updateLabels(g, **array);
        } else if (const auto* line = std::get_if<const LineShape*>(&source)) {
            updateLine(g, **line);
        } else {
            updatePane(g, *std::get<const PictureBox*>(source));
        }
    }
    return changes_;
}

void Scene::updateLabels(std::size_t group, const LabelArray& array) {
    Shown& shown = shown_[group];
    const LabelArray::ChangeMark mark = array.changeMark();
    if (shown.seen && *shown.seen == mark) {
        return;
    }
    const std::optional<std::span<const int>> changed =
        shown.seen ? array.changedSince(*shown.seen) : std::nullopt;
    if (changed) {
        // The elements the handlers touched, each once, in index order as a
        // walk of every element would record them.
        std::vector<int> indexes(changed->begin(), changed->end());
        std::sort(indexes.begin(), indexes.end());
        indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
        for (const int index : indexes) {
            updateElement(group, index, array.elements());
        }
    } else {
        updateAll(group, array.elements());
    }
    shown.seen = mark;
}

void Scene::updateElement(std::size_t group, int index, const std::map<int, Label>& now) {
    std::map<int, Label>& shown = shown_[group].labels;
    const auto label = now.find(index);
    const auto s = shown.find(index);
    if (label == now.end()) {
        if (s != shown.end()) {
            removeItem(group, index);
            shown.erase(s);
        }
        return;
    }
    const bool added = s == shown.end();
    Label& kept = added ? shown.emplace(index, label->second).first->second : s->second;
    updateLabel(group, kept, index, label->second, added);
}

void Scene::updateAll(std::size_t group, const std::map<int, Label>& now) {
    std::map<int, Label>& shown = shown_[group].labels;
    // Both maps are ordered by index: walk them side by side.
    auto s = shown.begin();
    const auto removeShown = [&] {
        removeItem(group, s->first);
        s = shown.erase(s);
    };
    for (const auto& [index, label] : now) {
        while (s != shown.end() && s->first < index) {
            removeShown();
        }
        const bool added = s == shown.end() || s->first != index;
        if (added) {
            s = shown.emplace_hint(s, index, label);
        }
        updateLabel(group, s->second, index, label, added);
        ++s;
    }
    while (s != shown.end()) {
        removeShown();
    }
}

void Scene::removeItem(std::size_t group, int index) {
    Group& items = groups_[group];
    const auto item = items.items.find(index);
    record(group, index, nullptr, item->second.reach);
    items.items.erase(item);
}

void Scene::updateOne(std::size_t group, const Label& now) {
    auto& shown = shown_[group].labels;
    const auto [s, added] = shown.try_emplace(-1, now);
    updateLabel(group, s->second, -1, now, added);
}

void Scene::updateLabel(std::size_t group, Label& shown, int index, const Label& now, bool added) {
    if (!added && sameLabel(shown, now)) {
        return;
    }
    Group& g = groups_[group];
    PixelRect before{};
    std::optional<std::size_t> from;
    if (!added) {
        before = g.items.at(index).reach;
        if (!now.autoSize &&
            static_cast<const ElementLook&>(shown) == static_cast<const ElementLook&>(now)) {
            from = firstDifference(shown.caption, now.caption);
        }
        shown = now;
    }
    SceneItem& item =
        g.items.insert_or_assign(index, textItem(g, shown_[group], index, now)).first->second;
    record(group, index, &item, before, from);
}

SceneItem Scene::textItem(const Group& group, const Shown& shown, int index,
                          const Label& label) const {
    const bool inPane = !group.pane.empty();
    SceneItem item{.kind = SceneItem::Kind::Text,
                   .name = group.name,
                   .index = index,
                   .pane = group.pane,
                   .visible = label.visible,
                   .font = label.font,
                   .caption = label.caption};
    const Twips left = shown.originX + label.left;
    item.box = pixelRect(left, shown.originY + label.top, label.width, label.height, dpi_);
    if (label.autoSize) {
        item.box.right = toPixels(left + measure_.width(label.caption, label.font), dpi_);
        item.box.bottom = item.box.top + fontPixels(label.font, dpi_);
    }
    const bool ownBack = label.backColor != kStandardColour;
    item.placement = inPane    ? TextPlacement::Baseline
                     : ownBack ? TextPlacement::RightCentred
                               : TextPlacement::TopLeft;
    item.opaque = !label.transparent && (inPane || ownBack);
    item.back = rgbOf(label.backColor, kButtonFace);
    item.fore = rgbOf(label.foreColor, kBlack);
    if (item.visible) {
        // Glyphs may stand out of their em box, and so out of their label, a
        // little: a fifth of an em above and below (descenders), which keeps
        // the reach of rows 350 twips apart from meeting, so that a mark
        // repaints its own row only.
        const int slack = fontPixels(label.font, dpi_) / 5;
        item.reach =
            PixelRect{item.box.left, item.box.top - slack, item.box.right, item.box.bottom + slack}
                .intersected(shown.paneBox);
    }
    return item;
}

void Scene::updateLine(std::size_t group, const LineShape& now) {
    Shown& shown = shown_[group];
    if (shown.line && *shown.line == now) {
        return;
    }
    Group& g = groups_[group];
    const auto x = [&](Twips t) { return toPixels(shown.originX + t, dpi_); };
    const auto y = [&](Twips t) { return toPixels(shown.originY + t, dpi_); };
    SceneItem item{.kind = SceneItem::Kind::Line,
                   .name = g.name,
                   .pane = g.pane,
                   .box = {std::min(x(now.x1), x(now.x2)), std::min(y(now.y1), y(now.y2)),
                           std::max(x(now.x1), x(now.x2)) + 1, std::max(y(now.y1), y(now.y2)) + 1},
                   .visible = now.visible,
                   .fore = rgbOf(now.color, kYellow)};
    if (item.visible) {
        item.reach = item.box.intersected(shown.paneBox);
    }
    const auto existing = g.items.find(-1);
    const PixelRect before = existing == g.items.end() ? PixelRect{} : existing->second.reach;
    lineMoved_ = existing == g.items.end() || existing->second.box != item.box;
    shown.line = now;
    SceneItem& stored = g.items.insert_or_assign(-1, std::move(item)).first->second;
    record(group, -1, &stored, before);
}

void Scene::updatePane(std::size_t group, const PictureBox& now) {
    Shown& shown = shown_[group];
    if (shown.picture && *shown.picture == now) {
        return;
    }
    Group& g = groups_[group];
    SceneItem item{.kind = SceneItem::Kind::Pane,
                   .name = g.name,
                   .box = pixelRect(now.left, now.top, now.width, now.height, dpi_),
                   .opaque = true,
                   .back = rgbOf(now.backColor, kBlack),
                   .fore = rgbOf(now.foreColor, kYellow)};
    item.reach = item.box;
    const auto existing = g.items.find(-1);
    const PixelRect before = existing == g.items.end() ? PixelRect{} : existing->second.reach;
    shown.picture = now;
    SceneItem& stored = g.items.insert_or_assign(-1, std::move(item)).first->second;
    record(group, -1, &stored, before);
}

void Scene::record(std::size_t group, int index, const SceneItem* now, const PixelRect& before,
                   std::optional<std::size_t> captionFrom) {
    changes_.push_back(
        {.group = group, .index = index, .now = now, .before = before, .captionFrom = captionFrom});
}

const SceneItem* Scene::find(std::string_view name, int index) const {
    for (const Group& group : groups_) {
        if (group.name == name) {
            const auto found = group.items.find(index);
            return found == group.items.end() ? nullptr : &found->second;
        }
    }
    return nullptr;
}

} // namespace keyloom
