// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"

#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <string_view>

class QLabel;
class QTimer;

namespace keyloom {

// The widgets and timers made from a window's design, by element name.
struct BuiltWindow {
    std::map<std::string_view, QWidget*> widgets;
    std::map<std::string_view, QTimer*> timers;

    [[nodiscard]] QWidget* widget(std::string_view name) const;
    [[nodiscard]] QTimer* timer(std::string_view name) const;
    template <class Widget> [[nodiscard]] Widget* find(std::string_view name) const {
        return qobject_cast<Widget*>(widget(name));
    }
};

// A label that sizes itself to its text: a word-wrapped one keeps its width
// and takes the height of its text, any other takes its text's size.
void sizeToText(QLabel& label, bool autoSize = true);

// Makes the widget of a picture box or a text box, which only the window
// knows how to fill; nullptr leaves the element out.
using ContainerMaker = std::function<QWidget*(const ElementDesign& element)>;

// Gives `window` its caption, client size and font, and makes a widget for
// every element on its client area, in creation order and tab order: labels,
// buttons, lines, timers (not started), and the containers `makeContainer`
// supplies. Elements inside a container are drawn by the container itself,
// and the labels named in `drawnByWindow` by the window.
BuiltWindow buildWindow(QWidget& window, const WindowDescription& design,
                        const ContainerMaker& makeContainer,
                        std::span<const std::string_view> drawnByWindow = {});

} // namespace keyloom
