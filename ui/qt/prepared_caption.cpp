// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/prepared_caption.h"

#include <QPainter>
#include <algorithm>

namespace keyloom {
namespace {

// About 150 µs of work for glyphs never seen: a key that arrives meanwhile
// waits no longer than that.
constexpr qsizetype kGlyphsAPass = 4;

} // namespace

PreparedCaption::PreparedCaption() {
    idle_.setInterval(0); // runs when no event is waiting
    connect(&idle_, &QTimer::timeout, this, [this] { drawSome(); });
}

void PreparedCaption::start(std::u16string caption, CharacterGlyphs& glyphs, const Look& look) {
    caption_ = std::move(caption);
    glyphs_ = &glyphs;
    look_ = look;
    ready_ = {};
    set_ = false;
    nextRun_ = nextGlyph_ = 0;
    if (caption_.empty()) {
        idle_.stop();
    } else {
        idle_.start();
    }
}

std::optional<PreparedCaption::Ready> PreparedCaption::take(std::u16string_view caption,
                                                            const CharacterGlyphs& glyphs,
                                                            const Look& look) {
    if (idle_.isActive() || glyphs_ != &glyphs || caption_.empty() || caption_ != caption) {
        return std::nullopt;
    }
    Ready ready = std::move(ready_);
    ready.pictureAt = look_.area.topLeft();
    if (look.fore != look_.fore || look.back != look_.back || look.baseline != look_.baseline ||
        !look_.area.contains(look.area)) {
        ready.picture = {};
    }
    caption_.clear();
    return ready;
}

// Draws the next few glyphs into the picture, each once: a glyph drawn twice
// would blend its edges twice.
void PreparedCaption::drawSome() {
    if (!set_) {
        ready_.shaped = glyphs_->set(QStringView(caption_));
        set_ = true;
        if (!look_.area.isEmpty()) {
            ready_.picture = QImage(look_.area.size(), QImage::Format_ARGB32_Premultiplied);
            ready_.picture.fill(look_.back);
        }
        return;
    }
    const QList<QGlyphRun>& runs = ready_.shaped.runs;
    if (ready_.picture.isNull() || nextRun_ >= runs.size()) {
        idle_.stop();
        return;
    }
    const QGlyphRun& run = runs[nextRun_];
    const qsizetype count = std::min(kGlyphsAPass, run.glyphIndexes().size() - nextGlyph_);
    QGlyphRun some = run;
    some.setGlyphIndexes(run.glyphIndexes().mid(nextGlyph_, count));
    some.setPositions(run.positions().mid(nextGlyph_, count));
    QPainter painter(&ready_.picture);
    painter.setPen(look_.fore);
    painter.drawGlyphRun(
        QPointF(-look_.area.left(), look_.baseline - ready_.shaped.lineAscent - look_.area.top()),
        some);
    nextGlyph_ += count;
    if (nextGlyph_ >= run.glyphIndexes().size()) {
        ++nextRun_;
        nextGlyph_ = 0;
    }
    if (nextRun_ >= runs.size()) {
        idle_.stop();
    }
}

} // namespace keyloom
