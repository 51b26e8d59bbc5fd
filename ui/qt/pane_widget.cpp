#include "ui/qt/pane_widget.h"

#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"

#include <QPainter>
#include <utility>

namespace keyloom {
namespace {

// The ideographic em box of the CJK fonts lies 0.88 em above the baseline:
// the glyphs then fill a label's 16-px height exactly, without the font's
// taller line box pushing them down.
constexpr qreal kEmAboveBaseline = 0.88;

} // namespace

PaneWidget::PaneWidget(const PictureBox& box, std::vector<const LabelArray*> arrays,
                       const LineShape* caret, QWidget* parent)
    : QWidget(parent), box_(box), arrays_(std::move(arrays)),
      caret_(caret), fonts_{fontFor(FontRole::Standard), fontFor(FontRole::Row),
                            fontFor(FontRole::Value)} {
    setGeometry(pixelRect(box.left, box.top, box.width, box.height).toRect());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PaneWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(box_.backColor, Qt::black));
    for (const LabelArray* array : arrays_) {
        for (const auto& [index, label] : array->elements()) {
            if (label.visible) {
                paintLabel(painter, label);
            }
        }
    }
    if (caret_ != nullptr && caret_->visible) {
        painter.setPen(QPen(toQColor(caret_->color, Qt::yellow), 0));
        painter.drawLine(QPointF(toPixels(caret_->x1), toPixels(caret_->y1)),
                         QPointF(toPixels(caret_->x2), toPixels(caret_->y2)));
    }
}

void PaneWidget::paintLabel(QPainter& painter, const Label& label) const {
    const QRectF area = pixelRect(label.left, label.top, label.width, label.height);
    if (!label.transparent) {
        painter.fillRect(area, toQColor(label.backColor, palette().window().color()));
    }
    if (label.caption.empty()) {
        return;
    }
    const QFont& font = fonts_.at(static_cast<std::size_t>(label.font));
    painter.setFont(font);
    painter.setPen(toQColor(label.foreColor, palette().windowText().color()));
    painter.save();
    // A label clips its text at its sides, not at its (font-dependent) height.
    painter.setClipRect(QRectF(area.left(), 0, area.width(), height()));
    const qreal baseline = area.top() + kEmAboveBaseline * font.pixelSize();
    painter.drawText(
        QPointF(area.left(), baseline),
        QString::fromUtf16(label.caption.data(), static_cast<qsizetype>(label.caption.size())));
    painter.restore();
}

} // namespace keyloom
