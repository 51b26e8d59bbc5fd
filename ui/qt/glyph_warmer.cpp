// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/glyph_warmer.h"

#include "ui/qt/character_glyphs.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace keyloom {
namespace {

// About 150 µs of work for glyphs never seen: a key that arrives meanwhile
// waits no longer than that.
constexpr qsizetype kCharactersAPass = 4;

} // namespace

GlyphWarmer::GlyphWarmer(const QFont& font, QObject* parent) : QObject(parent), font_(font) {
    const QFontMetrics metrics(font_);
    baseline_ = metrics.ascent();
    // Drawn like the panes draw, on whole pixels into an image of the same
    // kind, so the glyphs land in the cache the panes read.
    scratch_ = QImage(metrics.maxWidth() * static_cast<int>(kCharactersAPass + 1), metrics.height(),
                      QImage::Format_RGB32);
    idle_.setInterval(0); // runs when no event is waiting
    connect(&idle_, &QTimer::timeout, this, [this] { warmSome(); });
}

void GlyphWarmer::prepare(std::u16string_view text) {
    pending_ = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    next_ = 0;
    if (pending_.isEmpty()) {
        idle_.stop();
    } else {
        idle_.start();
    }
}

void GlyphWarmer::warmSome() {
    qsizetype count = std::min(kCharactersAPass, pending_.size() - next_);
    // A surrogate pair stays whole.
    if (count > 0 && next_ + count < pending_.size() &&
        pending_.at(next_ + count).isLowSurrogate()) {
        ++count;
    }
    QPainter painter(&scratch_);
    painter.setFont(font_);
    const QStringView some = QStringView(pending_).mid(next_, count);
    painter.drawText(QPoint(0, baseline_), some.toString());
    CharacterGlyphs::of(font_).meet(some);
    next_ += count;
    if (next_ >= pending_.size()) {
        idle_.stop();
        pending_.clear();
    }
}

} // namespace keyloom
