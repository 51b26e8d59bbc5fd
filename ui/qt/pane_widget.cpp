#include "ui/qt/pane_widget.h"

#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/twips.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace keyloom {
namespace {

// The ideographic em box of the CJK fonts lies 0.88 em above the baseline:
// the glyphs then fill a label's 16-px height exactly, without the font's
// taller line box pushing them down.
constexpr qreal kEmAboveBaseline = 0.88;

bool sameLook(const Label& a, const Label& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.foreColor == b.foreColor && a.backColor == b.backColor &&
           a.transparent == b.transparent && a.visible == b.visible && a.font == b.font;
}

bool sameCaret(const LineShape& a, const LineShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.color == b.color &&
           a.visible == b.visible;
}

} // namespace

PaneWidget::PaneWidget(const PictureBox& box, std::vector<const LabelArray*> arrays,
                       const LineShape* caret, QWidget* parent)
    : QWidget(parent), box_(box), arrays_(std::move(arrays)), shown_(arrays_.size()),
      caret_(caret), fonts_{fontFor(FontRole::Standard), fontFor(FontRole::Row),
                            fontFor(FontRole::Value)} {
    for (std::size_t role = 0; role < fonts_.size(); ++role) {
        const QFontMetricsF metrics(fonts_.at(role));
        ascents_.at(role) = metrics.ascent();
        descents_.at(role) = metrics.descent();
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    showChanges();
}

void PaneWidget::showChanges() {
    QRegion changed;
    for (std::size_t a = 0; a < arrays_.size(); ++a) {
        const auto& now = arrays_[a]->elements();
        auto& shown = shown_[a];
        // Both maps are ordered by index: walk them side by side.
        auto s = shown.begin();
        for (const auto& [index, label] : now) {
            while (s != shown.end() && s->first < index) {
                changed += s->second.inked; // destroyed
                s = shown.erase(s);
            }
            if (s != shown.end() && s->first == index) {
                ShownLabel& before = s->second;
                const bool sameCaption = before.label.caption == label.caption;
                const bool look = sameLook(before.label, label);
                if (!sameCaption || !look) {
                    // A caption that only grew or shrank repaints its
                    // characters from the first changed one on.
                    const std::size_t from = static_cast<std::size_t>(
                        std::ranges::mismatch(before.label.caption, label.caption).in1 -
                        before.label.caption.begin());
                    changed += look ? captionFrom(before, from) : before.inked;
                    before.label = label;
                    if (!sameCaption) {
                        shape(before);
                    }
                    before.inked = inkedArea(before);
                    changed += look ? captionFrom(before, from) : before.inked;
                }
                ++s;
                continue;
            }
            ShownLabel created;
            created.label = label;
            shape(created);
            created.inked = inkedArea(created);
            changed += created.inked;
            s = std::next(shown.emplace_hint(s, index, std::move(created)));
        }
        while (s != shown.end()) {
            changed += s->second.inked;
            s = shown.erase(s);
        }
    }
    if (caret_ != nullptr && !sameCaret(shownCaret_, *caret_)) {
        changed += caretArea(shownCaret_);
        shownCaret_ = *caret_;
        changed += caretArea(shownCaret_);
    }
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void PaneWidget::shape(ShownLabel& shown) const {
    shown.runs.clear();
    shown.edges.clear();
    const std::u16string& caption = shown.label.caption;
    if (caption.empty()) {
        return;
    }
    QTextLayout layout(toQString(caption), fonts_.at(static_cast<std::size_t>(shown.label.font)));
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

// The label's box, and its text's line box: the text is clipped at the
// label's sides only.
QRect PaneWidget::inkedArea(const ShownLabel& shown) const {
    const Label& label = shown.label;
    if (!label.visible) {
        return {};
    }
    const QRectF area = pixelRect(label.left, label.top, label.width, label.height);
    QRectF inked = label.transparent ? QRectF() : area;
    if (!shown.runs.empty()) {
        const auto role = static_cast<std::size_t>(label.font);
        const qreal baseline = area.top() + kEmAboveBaseline * fonts_.at(role).pixelSize();
        qreal ascent = ascents_.at(role);
        qreal descent = descents_.at(role);
        for (const QGlyphRun& run : shown.runs) {
            ascent = std::max(ascent, run.rawFont().ascent());
            descent = std::max(descent, run.rawFont().descent());
        }
        inked |= QRectF(area.left(), baseline - ascent - 1, area.width(), ascent + descent + 2);
    }
    return inked.toAlignedRect();
}

// What the label paints of its caption from character `index` on. Past the
// caption a transparent label shows only the pane, and an opaque one only its
// own background, which is painted whole.
QRect PaneWidget::captionFrom(const ShownLabel& shown, std::size_t index) {
    // Ink may stand out of a glyph's advance by a pixel or so.
    constexpr int kOverhang = 2;
    QRect area = shown.inked;
    if (!shown.label.transparent || shown.edges.empty()) {
        return area;
    }
    const qreal left = toPixels(shown.label.left);
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
    const QColor background = toQColor(box_.backColor, Qt::black);
    for (const QRect& area : dirty) {
        painter.fillRect(area, background);
    }
    for (const auto& shown : shown_) {
        for (const auto& [index, label] : shown) {
            if (dirty.intersects(label.inked)) {
                paintLabel(painter, label);
            }
        }
    }
    if (caret_ != nullptr && shownCaret_.visible) {
        painter.setPen(QPen(toQColor(shownCaret_.color, Qt::yellow), 0));
        painter.drawLine(QPointF(toPixels(shownCaret_.x1), toPixels(shownCaret_.y1)),
                         QPointF(toPixels(shownCaret_.x2), toPixels(shownCaret_.y2)));
    }
}

void PaneWidget::paintLabel(QPainter& painter, const ShownLabel& shown) const {
    const Label& label = shown.label;
    const QRectF area = pixelRect(label.left, label.top, label.width, label.height);
    if (!label.transparent) {
        painter.fillRect(area, toQColor(label.backColor, palette().window().color()));
    }
    if (shown.runs.empty()) {
        return;
    }
    painter.setPen(toQColor(label.foreColor, palette().windowText().color()));
    // A label clips its text at its sides, not at its (font-dependent) height.
    painter.setClipRect(QRectF(area.left(), 0, area.width(), height()));
    const auto role = static_cast<std::size_t>(label.font);
    const qreal baseline = area.top() + kEmAboveBaseline * fonts_.at(role).pixelSize();
    // The text's left edge and baseline on whole pixels: each glyph is then
    // rasterised and cached once, not once for each fraction of a pixel it
    // lands on.
    const QPointF origin(std::round(area.left()), std::round(baseline) - shown.lineAscent);
    for (const QGlyphRun& run : shown.runs) {
        painter.drawGlyphRun(origin, run);
    }
    painter.setClipping(false);
}

QRect PaneWidget::caretArea(const LineShape& caret) const {
    if (!caret.visible) {
        return {};
    }
    const QRectF line = QRectF(QPointF(toPixels(caret.x1), toPixels(caret.y1)),
                               QPointF(toPixels(caret.x2), toPixels(caret.y2)))
                            .normalized();
    return line.adjusted(-2, -2, 2, 2).toAlignedRect();
}

} // namespace keyloom
