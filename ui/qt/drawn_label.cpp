// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/drawn_label.h"

#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace keyloom {

DrawnLabel::DrawnLabel(const ElementDesign& design, QWidget& window)
    : window_(window), font_(fontFor(design.look.font)),
      colour_(toQColor(design.look.foreColor, window.palette().color(QPalette::WindowText))),
      lineHeight_(QFontMetrics(font_).height()), glyphs_(CharacterGlyphs::of(font_)) {}

void DrawnLabel::show(const SceneItem& item) {
    const QString caption = toQString(item.caption);
    const QRect box(item.box.left, item.box.top, item.box.right - item.box.left, lineHeight_);
    const QRect reach =
        item.visible && !caption.isEmpty() ? toQRect(item.reach).united(box) : QRect();
    if (caption == caption_ && box == box_ && reach == reach_) {
        return;
    }
    window_.update(reach_);
    if (caption != caption_) {
        caption_ = caption;
        shaped_ = {};
        shapedWhole_ = glyphs_.append(shaped_, caption_);
    }
    box_ = box;
    reach_ = reach;
    window_.update(reach_);
}

void DrawnLabel::paint(const QRegion& dirty) const {
    if (reach_.isEmpty() || !dirty.intersects(reach_)) {
        return;
    }
    QPainter painter(&window_);
    painter.setPen(colour_);
    if (!shapedWhole_) {
        painter.setFont(font_);
        painter.drawText(box_, Qt::AlignLeft | Qt::AlignVCenter, caption_);
        return;
    }
    // Placed as QPainter::drawText places one line in the middle of a box.
    const qreal height = shaped_.lineAscent + shaped_.lineDescent;
    const QPointF origin(box_.left(), box_.top() + (box_.height() - height) / 2);
    for (const QGlyphRun& run : shaped_.runs) {
        painter.drawGlyphRun(origin, run);
    }
}

} // namespace keyloom
