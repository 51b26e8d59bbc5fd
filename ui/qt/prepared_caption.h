// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/qt/character_glyphs.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <optional>
#include <string>

namespace keyloom {

// A caption a pane shows next (the lesson's next line), got ready while the
// program waits for a key: set from its glyphs, and drawn on the pane's
// background a few glyphs at a time, which also brings each glyph into the
// font caches. The line then enters with one copy of pixels, in place of
// setting it and blending its glyphs one by one in the keystroke that
// brings it.
class PreparedCaption : public QObject {
  public:
    // How the caption is drawn: in `fore` on `back`, the picture covering
    // `area` about the top-left of the text's box.
    struct Look {
        QColor fore;
        QColor back;
        QRect area;
        int baseline = 0; // below the box's top
    };
    struct Ready {
        ShapedText shaped;
        QImage picture;
        QPoint pictureAt; // about the top-left of the text's box
    };

    PreparedCaption();

    // Starts on `caption` in place of what was waiting.
    void start(std::u16string caption, CharacterGlyphs& glyphs, const Look& look);
    // The prepared caption when it is ready and is `caption` in `glyphs`'
    // font; its picture only if drawn as `look` draws, over its area or more.
    std::optional<Ready> take(std::u16string_view caption, const CharacterGlyphs& glyphs,
                              const Look& look);

  private:
    void drawSome();

    std::u16string caption_;
    CharacterGlyphs* glyphs_ = nullptr;
    bool set_ = false; // whether `ready_.shaped` holds the caption
    Look look_;
    Ready ready_;
    qsizetype nextRun_ = 0;
    qsizetype nextGlyph_ = 0;
    QTimer idle_;
};

} // namespace keyloom
