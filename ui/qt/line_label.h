// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/qt/character_glyphs.h"

#include <QLabel>

namespace keyloom {

// A label that paints one line of plain text from the glyphs of its
// characters, kept once met, where a QLabel lays the text out at each paint:
// the main window's figures change with every key. It paints as QLabel
// paints, to the pixel; any other text (wrapped, several lines, a mnemonic,
// characters that must be shaped together) QLabel paints itself.
class LineLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    CharacterGlyphs* glyphs_ = nullptr; // of the label's font
};

} // namespace keyloom
