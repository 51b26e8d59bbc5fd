// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"
#include "ui/qt/character_glyphs.h"
#include "ui/qt/shaped_text.h"
#include "ui/scene.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QRegion;
class QWidget;

namespace keyloom {

// A label of one line that its window draws on the client area, where other
// labels are QLabels of their own. The code hint moves and changes with
// every key: as a widget, each move would have the window repaint beneath
// its old place, then the widget paint itself, some three times the work of
// drawing its glyphs. It is drawn as a QLabel of the design would be, its
// text at the left, in the middle of a line of its font.
class DrawnLabel {
  public:
    DrawnLabel(const ElementDesign& design, QWidget& window);

    // Brings the label up to the scene's `item`, repainting what changed of
    // the window.
    void show(const SceneItem& item);
    // Draws the label where it meets `dirty`; the window's paint event calls it.
    void paint(const QRegion& dirty) const;

    [[nodiscard]] const QFont& font() const { return font_; }
    [[nodiscard]] const QString& text() const { return caption_; }

  private:
    QWidget& window_;
    QFont font_;
    QColor colour_;
    int lineHeight_; // of the font
    CharacterGlyphs& glyphs_;
    QString caption_;
    ShapedText shaped_;
    bool shapedWhole_ = false; // set from kept glyphs; else drawn as text
    QRect box_;
    QRect reach_; // empty while hidden
};

} // namespace keyloom
