#pragma once

#include "forms/controls.h"

#include <QFont>
#include <QGlyphRun>
#include <QWidget>
#include <array>
#include <map>
#include <vector>

namespace keyloom {

// A picture box of the main window: it draws the label arrays it contains
// (transparent row labels, opaque marks over them) and, for the typed pane,
// the caret line. It keeps what it last showed of each: `showChanges`
// compares that with the controls and repaints only the cells that differ,
// and each caption is shaped once, when it changes.
class PaneWidget : public QWidget {
    Q_OBJECT

  public:
    PaneWidget(const PictureBox& box, std::vector<const LabelArray*> arrays, const LineShape* caret,
               QWidget* parent);

    // Schedules a repaint of what changed in the controls since last shown.
    void showChanges();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // A label as last shown, with its caption shaped.
    struct ShownLabel {
        Label label;
        QList<QGlyphRun> runs;
        std::vector<qreal> edges; // x of each character's left edge, and of the end
        qreal lineAscent = 0;
        QRect inked; // every pixel the label may paint
    };

    void shape(ShownLabel& shown) const;
    [[nodiscard]] QRect inkedArea(const ShownLabel& shown) const;
    [[nodiscard]] static QRect captionFrom(const ShownLabel& shown, std::size_t index);
    void paintLabel(QPainter& painter, const ShownLabel& shown) const;
    [[nodiscard]] QRect caretArea(const LineShape& caret) const;

    const PictureBox& box_;
    std::vector<const LabelArray*> arrays_;        // in drawing order: later ones on top
    std::vector<std::map<int, ShownLabel>> shown_; // by array, as `arrays_`
    const LineShape* caret_;
    LineShape shownCaret_;
    std::array<QFont, 3> fonts_; // by FontRole
    std::array<qreal, 3> ascents_{};
    std::array<qreal, 3> descents_{};
};

} // namespace keyloom
