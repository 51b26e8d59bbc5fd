// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/line_label.h"

#include <QEvent>
#include <QPainter>
#include <QTextDocument>

namespace keyloom {

void LineLabel::paintEvent(QPaintEvent* event) {
    const QString caption = text();
    const bool plain = textFormat() == Qt::PlainText ||
                       (textFormat() == Qt::AutoText && !Qt::mightBeRichText(caption));
    if (caption.isEmpty() || !plain || wordWrap() || !isEnabled() || margin() != 0 ||
        indent() > 0 || frameWidth() != 0 || caption.contains(u'&') || caption.contains(u'\n') ||
        caption.contains(u'\t') || layoutDirection() != Qt::LeftToRight) {
        QLabel::paintEvent(event);
        return;
    }
    if (glyphs_ == nullptr) {
        glyphs_ = &CharacterGlyphs::of(font());
    }
    ShapedText shaped;
    if (!glyphs_->append(shaped, caption)) {
        QLabel::paintEvent(event);
        return;
    }
    // Placed as QPainter::drawText places one line in a rectangle.
    const QRect r = contentsRect();
    const Qt::Alignment align = alignment();
    const qreal width = shaped.edges.back();
    const qreal height = shaped.lineAscent + shaped.lineDescent;
    qreal x = 0;
    if (align.testFlag(Qt::AlignRight)) {
        x = r.width() - width;
    } else if (align.testFlag(Qt::AlignHCenter)) {
        x = (r.width() - width) / 2;
    }
    qreal y = 0;
    if (align.testFlag(Qt::AlignBottom)) {
        y = r.height() - height;
    } else if (align.testFlag(Qt::AlignVCenter)) {
        y = (r.height() - height) / 2;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    // Clipped, as QPainter::drawText clips, only when the line does not fit:
    // a clip costs each glyph drawn under it a pass over the clip's lines.
    const QPointF origin(r.x() + x, r.y() + y);
    if (!QRectF(r).contains(QRectF(origin, QSizeF(width, height)))) {
        painter.setClipRect(r);
    }
    for (const QGlyphRun& run : shaped.runs) {
        painter.drawGlyphRun(origin, run);
    }
}

void LineLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        glyphs_ = nullptr;
    }
    QLabel::changeEvent(event);
}

} // namespace keyloom
