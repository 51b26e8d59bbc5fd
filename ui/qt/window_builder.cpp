// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/window_builder.h"

#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/line_label.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace keyloom {
namespace {

QRect geometryOf(const ElementDesign& e) {
    return toQRect(pixelRect(e.look.left, e.look.top, e.look.width, e.look.height));
}

QLabel* makeLabel(const ElementDesign& e, QWidget* parent) {
    auto* label = new LineLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(fontFor(e.look.font));
    label->setGeometry(geometryOf(e));
    label->setWordWrap(e.wordWrap);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     toQColor(e.look.foreColor, palette.color(QPalette::WindowText)));
    if (e.look.backColor != kStandardColour && !e.look.transparent) {
        // The value boxes: an opaque box, the number right-justified in it.
        label->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, toQColor(e.look.backColor, Qt::white));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        label->setAlignment(e.wordWrap ? Qt::AlignLeft | Qt::AlignTop
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    }
    label->setPalette(palette);
    label->setText(toQString(e.caption));
    sizeToText(*label, e.look.autoSize);
    return label;
}

QPushButton* makeButton(const ElementDesign& e, QWidget* parent) {
    auto* button = new QPushButton(toQString(e.caption), parent);
    button->setGeometry(geometryOf(e));
    button->setDefault(e.defaultButton);
    return button;
}

// A line on the client area, as a widget that fills the pixel rows it
// covers: a horizontal line of width n fills n rows from its own row down.
QWidget* makeLine(const ElementDesign& e, QWidget* parent) {
    auto* line = new QWidget(parent);
    const PixelRect ends = pixelRect(e.look.left, e.look.top, e.look.width, e.look.height);
    const QRect area(std::min(ends.left, ends.right), std::min(ends.top, ends.bottom),
                     std::abs(ends.width()), std::abs(ends.height()));
    const int thickness = std::max(1, e.lineWidthPx);
    line->setGeometry(area.x(), area.y(), std::max(area.width(), thickness),
                      std::max(area.height(), thickness));
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window,
                     toQColor(e.look.foreColor, parent->palette().color(QPalette::WindowText)));
    line->setPalette(palette);
    return line;
}

} // namespace

void sizeToText(QLabel& label, bool autoSize) {
    if (!autoSize) {
        return;
    }
    if (label.wordWrap()) {
        label.resize(label.width(), label.heightForWidth(label.width()));
    } else {
        label.adjustSize();
    }
}

QWidget* BuiltWindow::widget(std::string_view name) const {
    const auto found = widgets.find(name);
    return found == widgets.end() ? nullptr : found->second;
}

QTimer* BuiltWindow::timer(std::string_view name) const {
    const auto found = timers.find(name);
    return found == timers.end() ? nullptr : found->second;
}

BuiltWindow buildWindow(QWidget& window, const WindowDescription& design,
                        const ContainerMaker& makeContainer,
                        std::span<const std::string_view> drawnByWindow) {
    window.setWindowTitle(toQString(design.caption));
    window.setFixedSize(QSize(toPixels(design.clientWidth), toPixels(design.clientHeight)));
    window.setFont(fontFor(FontRole::Standard));

    BuiltWindow built;
    std::map<int, QWidget*> tabOrder;
    for (const ElementDesign& e : design.elements) {
        if (!e.container.empty() ||
            std::ranges::find(drawnByWindow, e.name) != drawnByWindow.end()) {
            continue; // its container or the window draws it
        }
        QWidget* widget = nullptr;
        switch (e.kind) {
        case ElementKind::Timer: {
            auto* timer = new QTimer(&window);
            timer->setTimerType(Qt::PreciseTimer); // the clock counts ticks
            timer->setInterval(e.intervalMs);
            timer->setObjectName(toQName(e.name));
            built.timers.emplace(e.name, timer);
            break;
        }
        case ElementKind::Label: widget = makeLabel(e, &window); break;
        case ElementKind::Button: widget = makeButton(e, &window); break;
        case ElementKind::Line: widget = makeLine(e, &window); break;
        case ElementKind::ListBox: widget = new QListWidget(&window); break;
        case ElementKind::ComboBox: widget = new QComboBox(&window); break;
        case ElementKind::CheckBox: widget = new QCheckBox(toQString(e.caption), &window); break;
        case ElementKind::PictureBox:
        case ElementKind::TextBox:
            widget = makeContainer ? makeContainer(e) : nullptr;
            if (widget != nullptr) {
                widget->setGeometry(e.look.autoSize
                                        ? QRect(geometryOf(e).topLeft(), widget->sizeHint())
                                        : geometryOf(e));
            }
            break;
        }
        if (widget == nullptr) {
            continue;
        }
        if (e.kind == ElementKind::ListBox || e.kind == ElementKind::ComboBox ||
            e.kind == ElementKind::CheckBox) {
            widget->setGeometry(geometryOf(e));
        }
        widget->setObjectName(toQName(e.name));
        widget->setVisible(e.look.visible);
        built.widgets.emplace(e.name, widget);
        if (e.tabIndex >= 0) {
            tabOrder[e.tabIndex] = widget;
        }
    }
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    return built;
}

} // namespace keyloom
