// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/pane_widget.h"

#include "ui/font_sizes.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace keyloom {

PaneWidget::PaneWidget(std::string_view name, QWidget* parent)
    : QWidget(parent), name_(name), fonts_{fontFor(FontRole::Standard), fontFor(FontRole::Row),
                                           fontFor(FontRole::Value)} {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PaneWidget::showChanges(const std::vector<SceneChange>& changes) {
    QRegion changed;
    for (const SceneChange& change : changes) {
        if (change.now != nullptr && change.now->kind == SceneItem::Kind::Pane &&
            change.now->name == name_) {
            box_ = change.now->box;
            background_ = toQColor(change.now->back);
            changed += rect();
            continue;
        }
        const auto key = std::make_pair(change.group, change.index);
        const auto found = shown_.find(key);
        if (change.now == nullptr || change.now->pane != name_) {
            if (found != shown_.end()) { // gone
                changed += found->second.reach;
                shown_.erase(found);
            }
            continue;
        }
        if (found == shown_.end()) {
            ShownItem& added = shown_[key];
            show(added, *change.now);
            changed += added.reach;
            continue;
        }
        ShownItem& shown = found->second;
        if (change.captionFrom) {
            // A caption that only grew or shrank repaints its characters
            // from the first changed one on.
            changed += captionFrom(shown, *change.captionFrom);
            show(shown, *change.now);
            changed += captionFrom(shown, *change.captionFrom);
        } else {
            changed += shown.reach;
            show(shown, *change.now);
            changed += shown.reach;
        }
    }
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void PaneWidget::show(ShownItem& shown, const SceneItem& now) {
    const bool reshape = shown.item.caption != now.caption || shown.item.font != now.font;
    shown.item = now;
    if (reshape || shown.edges.empty()) {
        shape(shown);
    }
    shown.reach = local(now.reach);
}

void PaneWidget::shape(ShownItem& shown) const {
    shown.runs.clear();
    shown.edges.clear();
    const std::u16string& caption = shown.item.caption;
    if (caption.empty() || shown.item.kind != SceneItem::Kind::Text) {
        return;
    }
    QTextLayout layout(toQString(caption), fonts_.at(static_cast<std::size_t>(shown.item.font)));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    shown.runs = layout.glyphRuns();
    shown.lineAscent = line.ascent();
    shown.edges.reserve(caption.size() + 1);
    for (int i = 0; i <= static_cast<int>(caption.size()); ++i) {
        shown.edges.push_back(line.cursorToX(i));
    }
}

// What an item paints of its caption from UTF-16 unit `index` on. Past the
// caption a transparent label shows only the pane, and an opaque one only its
// own background, which is painted whole.
QRect PaneWidget::captionFrom(const ShownItem& shown, std::size_t index) {
    // Ink may stand out of a glyph's advance by a pixel or so.
    constexpr int kOverhang = 2;
    QRect area = shown.reach;
    if (shown.item.opaque || shown.edges.empty() || area.isEmpty()) {
        return area;
    }
    const qreal left = shown.reach.left();
    if (index > 0 && index < shown.edges.size()) {
        area.setLeft(std::max(area.left(), static_cast<int>(left + shown.edges[index]) - 1));
    }
    area.setRight(
        std::min(area.right(), static_cast<int>(std::ceil(left + shown.edges.back())) + kOverhang));
    return area;
}

// The dirty region, not its bounding box: the rows a ring advance changes lie
// apart, and the rows and marks between them are left alone.
void PaneWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRegion& dirty = event->region();
    for (const QRect& area : dirty) {
        painter.fillRect(area, background_);
    }
    for (const auto& [key, shown] : shown_) {
        if (dirty.intersects(shown.reach)) {
            paintItem(painter, shown);
        }
    }
}

void PaneWidget::paintItem(QPainter& painter, const ShownItem& shown) const {
    const SceneItem& item = shown.item;
    const QRect box = local(item.box);
    if (item.kind == SceneItem::Kind::Line) {
        painter.fillRect(box, toQColor(item.fore));
        return;
    }
    if (item.opaque) {
        painter.fillRect(box, toQColor(item.back));
    }
    if (shown.runs.empty()) {
        return;
    }
    painter.setPen(toQColor(item.fore));
    painter.setClipRect(shown.reach);
    // The text's left edge and baseline on whole pixels: each glyph is then
    // rasterised and cached once, not once for each fraction of a pixel it
    // lands on.
    const QPointF origin(box.left(), box.top() + baselineBelowTop(item.font) - shown.lineAscent);
    for (const QGlyphRun& run : shown.runs) {
        painter.drawGlyphRun(origin, run);
    }
    painter.setClipping(false);
}

QRect PaneWidget::local(const PixelRect& r) const {
    return toQRect(r).translated(-box_.left, -box_.top);
}

} // namespace keyloom
