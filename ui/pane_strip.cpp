// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pane_strip.h"

#include "text/code_points.h"

#include <algorithm>
#include <string_view>

namespace keyloom {
namespace {

constexpr std::string_view kHintLabel = "lblHint";
constexpr std::string_view kHintTableLabel = "lblHintTable";
constexpr std::string_view kInputMethodNotice = "lblInputMethod";
// The course's labels, from left to right.
constexpr std::array<std::string_view, 2> kCourseLabels{"lblCourse", "lblLastAttempt"};
// Between two labels of the strip: a few pixels at any dpi, so that glyphs
// a little wider on screen than measured still do not meet.
constexpr Twips kGap = 120;
// What a course leaves for the code hint while one shows: a table's name and
// a word's codes, about sixteen characters, whatever the hint's length at the
// moment, so the course's labels do not move with every character typed.
constexpr Twips kHintRoom = 3000;
constexpr std::u16string_view kCut = u"…";

Label* labelNamed(MainControls& controls, std::string_view name) {
    const auto found = controls.otherLabels.find(name);
    return found == controls.otherLabels.end() ? nullptr : &found->second;
}

// `text`, or its longest start of whole characters that with "…" after it is
// at most `room` wide; empty when not even one character fits.
std::u16string fitted(std::u16string_view text, Twips room, FontRole font,
                      const TextMeasure& measure) {
    if (measure.width(text, font) <= room) {
        return std::u16string(text);
    }
    const auto cutAfter = [&](std::size_t characters) {
        std::u16string cut(text.substr(0, unitsOfFirst(text, characters)));
        cut += kCut;
        return cut;
    };
    std::size_t fits = 0;
    std::size_t tooMany = codePointCount(text);
    while (tooMany - fits > 1) {
        const std::size_t middle = fits + (tooMany - fits) / 2;
        if (measure.width(cutAfter(middle), font) <= room) {
            fits = middle;
        } else {
            tooMany = middle;
        }
    }
    return fits == 0 ? std::u16string() : cutAfter(fits);
}

} // namespace

void PaneStrip::arrange(MainControls& controls, const TextMeasure& measure) {
    const Twips left = controls.picType.left;
    const Twips right = controls.picType.left + controls.picType.width;
    const Label* notice = findLabel(controls, kInputMethodNotice);
    const bool noticeShown = notice != nullptr && notice->visible;
    Label* hint = labelNamed(controls, kHintLabel);
    Label* table = labelNamed(controls, kHintTableLabel);
    const auto shown = [noticeShown](const Label* label) {
        return label != nullptr && label->visible && !label->caption.empty() && !noticeShown;
    };
    const bool tableShown = shown(table);
    const bool hintShown = shown(hint);

    // The course's labels in their order, each cut to the room the ones
    // before it left, then set together against the strip's right end.
    const Twips room = right - left - (hintShown || tableShown ? kHintRoom + kGap : 0);
    Twips courseLeft = right + kGap;
    std::array<Label*, kCourseLabels.size()> labels{};
    std::array<Twips, kCourseLabels.size()> widths{};
    Twips total = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        Label* label = labelNamed(controls, kCourseLabels.at(i));
        if (label == nullptr) {
            continue;
        }
        Kept& kept = course_.at(i);
        if (label->caption != kept.shown) {
            kept.whole = label->caption;
        }
        label->visible = !noticeShown;
        label->caption =
            fitted(kept.whole, std::max<Twips>(0, room - total - (total > 0 ? kGap : 0)),
                   label->font, measure);
        kept.shown = label->caption;
        if (!label->caption.empty()) {
            widths.at(i) = measure.width(label->caption, label->font);
            total += (total > 0 ? kGap : 0) + widths.at(i);
            labels.at(i) = label;
        }
    }
    if (!noticeShown && total > 0) {
        courseLeft = right - total;
        Twips next = courseLeft;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (labels.at(i) != nullptr) {
                labels.at(i)->left = next;
                labels.at(i)->width = widths.at(i);
                next += widths.at(i) + kGap;
            }
        }
    }

    // The table's name at the strip's left end, given at most half the room
    // left of the course's labels.
    Twips hintLeft = left;
    if (table != nullptr && !table->caption.empty()) {
        table->visible = tableShown;
        table->caption =
            fitted(table->caption, (courseLeft - kGap - left) / 2, table->font, measure);
        table->width = measure.width(table->caption, table->font);
        table->left = left;
        if (tableShown && !table->caption.empty()) {
            hintLeft = left + table->width + kGap;
        }
    }
    if (hint == nullptr || hint->caption.empty()) {
        return;
    }
    hint->visible = hintShown;
    const Twips hintRoom = courseLeft - kGap - hintLeft;
    hint->caption = fitted(hint->caption, hintRoom, hint->font, measure);
    hint->width = measure.width(hint->caption, hint->font);
    // At the caret's column, right of the table's name, and as far right as
    // the hint still ends before the course's labels.
    const Twips caret = controls.picType.left + controls.Line1.x1;
    hint->left = std::max(hintLeft, std::min(caret, hintLeft + hintRoom - hint->width));
}

} // namespace keyloom
