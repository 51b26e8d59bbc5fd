// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/scene.h"

#include <QFont>
#include <QGlyphRun>
#include <QWidget>
#include <array>
#include <map>
#include <utility>
#include <vector>

namespace keyloom {

// A picture box of the main window: it paints the scene's items drawn in it
// (its labels, transparent rows under opaque marks, and the caret line). It
// keeps each item as last shown with its caption shaped once, when it
// changes; `showChanges` repaints only what the scene reports changed, a
// caption only from its first changed character on.
class PaneWidget : public QWidget {
    Q_OBJECT

  public:
    PaneWidget(std::string_view name, QWidget* parent);

    // Schedules a repaint of what the scene's last update changed here.
    void showChanges(const std::vector<SceneChange>& changes);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // An item as last shown, with its caption shaped.
    struct ShownItem {
        SceneItem item;
        QList<QGlyphRun> runs;
        std::vector<qreal> edges; // x of each UTF-16 unit's left edge, and of the end
        qreal lineAscent = 0;
        QRect reach; // in the pane's own pixels
    };

    void show(ShownItem& shown, const SceneItem& now);
    void shape(ShownItem& shown) const;
    [[nodiscard]] static QRect captionFrom(const ShownItem& shown, std::size_t index);
    void paintItem(QPainter& painter, const ShownItem& shown) const;
    [[nodiscard]] QRect local(const PixelRect& r) const;

    std::string_view name_;
    PixelRect box_{}; // the pane in the window's client pixels
    QColor background_ = Qt::black;
    // By group and index: the scene's painting order.
    std::map<std::pair<std::size_t, int>, ShownItem> shown_;
    std::array<QFont, 3> fonts_; // by FontRole
};

} // namespace keyloom
