#pragma once

#include "ui/controls.h"

#include <QFont>
#include <QWidget>
#include <array>
#include <vector>

namespace keyloom {

// A picture box of the main window: it draws the label arrays it contains
// (transparent row labels, opaque marks over them) and, for the typed pane,
// the caret line, all straight from the controls' state.
class PaneWidget : public QWidget {
  public:
    PaneWidget(const PictureBox& box, std::vector<const LabelArray*> arrays, const LineShape* caret,
               QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintLabel(QPainter& painter, const Label& label) const;

    const PictureBox& box_;
    std::vector<const LabelArray*> arrays_; // in drawing order: later ones on top
    const LineShape* caret_;
    std::array<QFont, 3> fonts_; // by FontRole
};

} // namespace keyloom
