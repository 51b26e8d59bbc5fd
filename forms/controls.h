// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace keyloom {

// Positions and sizes are twips (1/1440 inch, 15 to a pixel at 96 dpi),
// relative to the element's container, held in single precision.
using Twips = float;

// 0x00BBGGRR, red in the low byte; 0x800000nn names system colour nn.
using Colour = std::uint32_t;
constexpr Colour systemColour(std::uint32_t index) {
    return 0x80000000U | index;
}

// The fonts a window element can carry.
enum class FontRole : std::uint8_t {
    Standard, // the window's user-interface font
    Row,      // "宋体" 12 pt: rows and marks
    Value,    // "宋体" 10.5 pt: the value boxes along the top
};

// An element that stores no colour of its own shows the platform's.
constexpr Colour kStandardColour = 0xFFFFFFFFU;

// What a label and an element's design share: its box in twips within its
// container, its colours and font, and whether it shows.
struct ElementLook {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    Colour foreColor = kStandardColour;
    Colour backColor = kStandardColour;
    bool transparent = false;
    FontRole font = FontRole::Standard;
    bool visible = true;
    bool autoSize = false; // with wordWrap it keeps its width and grows in height

    bool operator==(const ElementLook&) const = default;
};

struct Label : ElementLook {
    std::u16string caption{};
    std::u16string tag{};
};

// The width a toolkit gives a caption in a font; AutoSize asks it.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    [[nodiscard]] virtual Twips width(std::u16string_view text, FontRole font) const = 0;
};

// Asking a label array for an element that does not exist.
class MissingElementError : public std::out_of_range {
  public:
    explicit MissingElementError(int index)
        : std::out_of_range("no element " + std::to_string(index) + " in the label array") {}
};

// A set of labels sharing one name, addressed by a 16-bit index. Elements
// made at run time start as hidden copies of element 0.
class LabelArray {
  public:
    LabelArray() = default;
    explicit LabelArray(std::map<int, Label> designElements);

    [[nodiscard]] bool exists(int index) const { return elements_.contains(index); }
    [[nodiscard]] int count() const { return static_cast<int>(elements_.size()); }

    // Raises MissingElementError for an element that does not exist.
    Label& operator[](int index);
    const Label& operator[](int index) const;

    // Creates element `index` as a hidden copy of element 0; an element that
    // exists already is returned as it is.
    Label& create(int index);

    // Raises MissingElementError for a missing element and for element 0,
    // which belongs to the design.
    void destroy(int index);

    [[nodiscard]] const std::map<int, Label>& elements() const { return elements_; }

  private:
    std::map<int, Label> elements_;
};

struct LineShape {
    Twips x1 = 0;
    Twips y1 = 0;
    Twips x2 = 0;
    Twips y2 = 0;
    Colour color = 0;
    bool visible = true;

    bool operator==(const LineShape&) const = default;
};

struct PictureBox {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    Colour backColor = 0;
    Colour foreColor = 0;

    bool operator==(const PictureBox&) const = default;
};

// The single-line typing box as the handlers see it: the toolkit keeps the
// text and the caret, the handlers set the lock.
struct TextBox {
    std::u16string text;
    long long selStart = 0; // characters (code points) before the insertion point
    bool locked = false;
};

} // namespace keyloom
