// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/qt/character_glyphs.h"
#include "ui/qt/prepared_caption.h"
#include "ui/scene.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace keyloom {

// A picture box of the main window: it paints the scene's items drawn in it
// (its labels, transparent rows under opaque marks, and the caret line). It
// keeps each item as last shown with its caption set once, when it changes,
// from glyphs kept per character (`CharacterGlyphs`); `showChanges` repaints
// only what the scene reports changed, a caption only from its first changed
// character on. A caption about to be shown (the lesson's next line) is set
// and drawn while the program waits for a key (`PreparedCaption`).
class PaneWidget : public QWidget {
    Q_OBJECT

  public:
    PaneWidget(std::string_view name, QWidget* parent);

    // Schedules a repaint of what the scene's last update changed here.
    void showChanges(const std::vector<SceneChange>& changes);
    // Gets `caption` ready once no event is waiting, for an item like `like`
    // (its font, colour and reach about its box) that shows it next.
    void prepare(std::u16string_view caption, const SceneItem& like);
    [[nodiscard]] std::string_view name() const { return name_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // An item as last shown, with its caption shaped.
    struct ShownItem {
        SceneItem item;
        ShapedText shaped;
        QRect reach; // in the pane's own pixels
        // When prepared and not yet painted: the item as painted on the
        // pane's background, over its reach or more, with the pane's pixel
        // its top-left goes to.
        QImage picture;
        QPoint pictureAt;
    };

    // Brings `shown` up to `now`; `captionFrom` as the scene's change tells it.
    void show(ShownItem& shown, const SceneItem& now,
              std::optional<std::size_t> captionFrom = std::nullopt);
    [[nodiscard]] PreparedCaption::Look look(const SceneItem& item, const QRect& area) const;
    // Gives `shown` the prepared caption if it is `now`'s.
    bool takePrepared(ShownItem& shown, const SceneItem& now, const QRect& reach);
    [[nodiscard]] static QRect captionFrom(const ShownItem& shown, std::size_t index);
    // Paints what of `shown` stands in `area`.
    void paintItem(QPainter& painter, const ShownItem& shown, const QRect& area) const;
    [[nodiscard]] static QGlyphRun glyphsWithin(const QGlyphRun& run, const QPointF& origin,
                                                const QRect& area);
    [[nodiscard]] QRect local(const PixelRect& r) const;

    std::string_view name_;
    PixelRect box_{}; // the pane in the window's client pixels
    QColor background_ = Qt::black;
    // By group and index: the scene's painting order.
    std::map<std::pair<std::size_t, int>, ShownItem> shown_;
    std::array<CharacterGlyphs*, 3> glyphs_; // by FontRole
    PreparedCaption prepared_;
    // Items gone, freed once no event is waiting: a ring advance drops some
    // 45 marks at once, and freeing them is as much work as painting a row.
    std::vector<ShownItem> gone_;
    QTimer freeing_;
};

} // namespace keyloom
