// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/pane_widget.h"

#include "ui/font_sizes.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace keyloom {
namespace {

// The area a scene update changed, as few rectangles: the marks of a row
// that go at once stand side by side, and a region grows by one rectangle
// at a cost that grows with the rectangles it holds.
class ChangedArea {
  public:
    ChangedArea& operator+=(const QRect& r) {
        if (r.isEmpty()) {
            return *this;
        }
        if (!row_.isEmpty() && r.top() == row_.top() && r.bottom() == row_.bottom() &&
            r.left() <= row_.right() + 1 && r.right() + 1 >= row_.left()) {
            row_ = row_.united(r);
        } else {
            region_ += row_;
            row_ = r;
        }
        return *this;
    }
    [[nodiscard]] QRegion region() const { return region_.united(row_); }

  private:
    QRegion region_;
    QRect row_; // the rectangles of one row that follow each other
};

} // namespace

PaneWidget::PaneWidget(std::string_view name, QWidget* parent)
    : QWidget(parent), name_(name), glyphs_{&CharacterGlyphs::of(fontFor(FontRole::Standard)),
                                            &CharacterGlyphs::of(fontFor(FontRole::Row)),
                                            &CharacterGlyphs::of(fontFor(FontRole::Value))} {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    freeing_.setSingleShot(true);
    freeing_.setInterval(0); // once no event is waiting
    connect(&freeing_, &QTimer::timeout, this, [this] { gone_.clear(); });
}

void PaneWidget::showChanges(const std::vector<SceneChange>& changes) {
    ChangedArea changed;
    for (const SceneChange& change : changes) {
        if (change.now != nullptr && change.now->kind == SceneItem::Kind::Pane &&
            change.now->name == name_) {
            box_ = change.now->box;
            background_ = toQColor(change.now->back);
            for (auto& [key, shown] : shown_) {
                shown.picture = {};
            }
            changed += rect();
            continue;
        }
        const auto key = std::make_pair(change.group, change.index);
        const auto found = shown_.find(key);
        if (change.now == nullptr || change.now->pane != name_) {
            if (found != shown_.end()) { // gone
                changed += found->second.reach;
                gone_.push_back(std::move(shown_.extract(found).mapped()));
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
            show(shown, *change.now, *change.captionFrom);
            changed += captionFrom(shown, *change.captionFrom);
        } else {
            changed += shown.reach;
            show(shown, *change.now);
            changed += shown.reach;
        }
    }
    if (!changed.region().isEmpty()) {
        update(changed.region());
    }
    if (!gone_.empty()) {
        freeing_.start();
    }
}

void PaneWidget::show(ShownItem& shown, const SceneItem& now,
                      std::optional<std::size_t> captionFrom) {
    const std::u16string_view caption = now.caption;
    const QRect reach = local(now.reach);
    const bool sameText =
        shown.item.caption == caption && shown.item.font == now.font && !shown.shaped.edges.empty();
    if (!sameText || shown.item.fore != now.fore || shown.reach != reach) {
        shown.picture = {};
    }
    if (!sameText && !takePrepared(shown, now, reach)) {
        CharacterGlyphs& glyphs = *glyphs_.at(static_cast<std::size_t>(now.font));
        // A typed row grows by a character at each commit.
        const bool grew = captionFrom && *captionFrom == shown.item.caption.size() &&
                          caption.size() > *captionFrom && shown.item.font == now.font &&
                          !shown.shaped.edges.empty() &&
                          glyphs.append(shown.shaped, toQString(caption.substr(*captionFrom)));
        if (!grew) {
            shown.shaped =
                now.kind == SceneItem::Kind::Text ? glyphs.set(toQString(caption)) : ShapedText{};
        }
    }
    shown.item = now;
    shown.reach = reach;
}

bool PaneWidget::takePrepared(ShownItem& shown, const SceneItem& now, const QRect& reach) {
    if (now.kind != SceneItem::Kind::Text) {
        return false;
    }
    const QRect box = local(now.box);
    std::optional<PreparedCaption::Ready> ready =
        prepared_.take(now.caption, *glyphs_.at(static_cast<std::size_t>(now.font)),
                       look(now, reach.translated(-box.topLeft())));
    if (!ready) {
        return false;
    }
    shown.shaped = std::move(ready->shaped);
    shown.picture = std::move(ready->picture);
    shown.pictureAt = box.topLeft() + ready->pictureAt;
    return true;
}

void PaneWidget::prepare(std::u16string_view caption, const SceneItem& like) {
    prepared_.start(std::u16string(caption), *glyphs_.at(static_cast<std::size_t>(like.font)),
                    look(like, local(like.reach).translated(-local(like.box).topLeft())));
}

// How the pane draws `item`, over `area` about its box; no picture where it
// would be scaled onto the pane.
PreparedCaption::Look PaneWidget::look(const SceneItem& item, const QRect& area) const {
    return {.fore = toQColor(item.fore),
            .back = background_,
            .area = devicePixelRatioF() == 1 ? area : QRect(),
            .baseline = baselineBelowTop(item.font)};
}

// What an item paints of its caption from UTF-16 unit `index` on. Past the
// caption a transparent label shows only the pane, and an opaque one only its
// own background, which is painted whole.
QRect PaneWidget::captionFrom(const ShownItem& shown, std::size_t index) {
    // Ink may stand out of a glyph's advance by a pixel or so.
    constexpr int kOverhang = 2;
    QRect area = shown.reach;
    if (shown.item.opaque || shown.shaped.edges.empty() || area.isEmpty()) {
        return area;
    }
    const qreal left = shown.reach.left();
    if (index > 0 && index < shown.shaped.edges.size()) {
        area.setLeft(std::max(area.left(), static_cast<int>(left + shown.shaped.edges[index]) - 1));
    }
    area.setRight(std::min(
        area.right(), static_cast<int>(std::ceil(left + shown.shaped.edges.back())) + kOverhang));
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
    // What is painted so far: a picture holds the pane's background, and is
    // copied only where nothing stands yet. It serves the paint that brings
    // its line in, and is let go then: a picture of every row would hold
    // half a megabyte.
    std::vector<QRect> painted;
    // Most items lie well away from a commit's few rectangles: their bounds
    // tell so at a fraction of the region's own test.
    const QRect bounds = dirty.boundingRect();
    for (auto& [key, shown] : shown_) {
        if (!bounds.intersects(shown.reach) || !dirty.intersects(shown.reach)) {
            continue;
        }
        const QRect& reach = shown.reach;
        const bool alone = std::ranges::none_of(
            painted, [&reach](const QRect& other) { return other.intersects(reach); });
        if (!shown.picture.isNull() && alone) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.setClipRect(shown.reach);
            painter.drawImage(shown.pictureAt, shown.picture);
            painter.setClipping(false);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            shown.picture = {};
        } else {
            paintItem(painter, shown, (dirty & shown.reach).boundingRect());
        }
        painted.push_back(shown.reach);
    }
}

// The glyphs of `run` that may ink `area`: a row's other glyphs would only be
// clipped away, one at a time, at a cost like drawing them.
QGlyphRun PaneWidget::glyphsWithin(const QGlyphRun& run, const QPointF& origin, const QRect& area) {
    // A glyph inks about an em from its position on; ink may stand out of
    // that by a quarter em either side.
    const qreal em = run.rawFont().pixelSize();
    const auto within = [&](const QPointF& position) {
        const qreal x = origin.x() + position.x();
        return x - em / 4 <= area.right() + 1 && x + em * 5 / 4 >= area.left();
    };
    const QList<QPointF> positions = run.positions();
    if (positions.isEmpty() || (within(positions.front()) && within(positions.back()))) {
        return run;
    }
    const QList<quint32> glyphs = run.glyphIndexes();
    QList<QPointF> keptPositions;
    QList<quint32> keptGlyphs;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        if (within(positions[i])) {
            keptPositions.append(positions[i]);
            keptGlyphs.append(glyphs[i]);
        }
    }
    QGlyphRun kept = run;
    kept.setGlyphIndexes(keptGlyphs);
    kept.setPositions(keptPositions);
    return kept;
}

void PaneWidget::paintItem(QPainter& painter, const ShownItem& shown, const QRect& area) const {
    const SceneItem& item = shown.item;
    const QRect box = local(item.box);
    if (item.kind == SceneItem::Kind::Line) {
        painter.fillRect(box, toQColor(item.fore));
        return;
    }
    if (item.opaque) {
        painter.fillRect(box, toQColor(item.back));
    }
    if (shown.shaped.runs.empty()) {
        return;
    }
    painter.setPen(toQColor(item.fore));
    painter.setClipRect(shown.reach);
    // The text's left edge and baseline on whole pixels: each glyph is then
    // rasterised and cached once, not once for each fraction of a pixel it
    // lands on.
    const QPointF origin(box.left(),
                         box.top() + baselineBelowTop(item.font) - shown.shaped.lineAscent);
    for (const QGlyphRun& run : shown.shaped.runs) {
        const QGlyphRun within = glyphsWithin(run, origin, area);
        if (!within.glyphIndexes().isEmpty()) {
            painter.drawGlyphRun(origin, within);
        }
    }
    painter.setClipping(false);
}

QRect PaneWidget::local(const PixelRect& r) const {
    return toQRect(r).translated(-box_.left, -box_.top);
}

} // namespace keyloom
