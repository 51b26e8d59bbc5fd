// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string_view>

namespace keyloom {

// Gets the glyphs of text about to be shown in a font into the font caches
// and the kept glyphs while the program waits for the next key, a few
// characters at a time: the code hint then shows the next line's characters
// without the keystroke that brings them loading and shaping glyphs never
// held. (The reference pane gets its next line ready itself.)
class GlyphWarmer : public QObject {
  public:
    GlyphWarmer(const QFont& font, QObject* parent);

    // The text to get ready next, in place of what is still waiting.
    void prepare(std::u16string_view text);
    // Whether text is still waiting; when not, the warmer takes no time.
    [[nodiscard]] bool busy() const { return idle_.isActive(); }

  private:
    void warmSome();

    QFont font_;
    int baseline_ = 0;
    QString pending_;
    qsizetype next_ = 0;
    QTimer idle_;
    QImage scratch_;
};

} // namespace keyloom
