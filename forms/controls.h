// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
//
// It keeps which elements it handed out to be changed, made or destroyed, so
// that a viewer (the window's scene) compares those alone with what it
// showed, not every element at every key.
class LabelArray {
  public:
    // Where a viewer stands in the array's changes.
    struct ChangeMark {
        std::uint64_t array = 0; // this array's contents, apart from any copy's
        std::uint64_t count = 0;
        bool operator==(const ChangeMark&) const = default;
    };

    LabelArray() = default;
    explicit LabelArray(std::map<int, Label> designElements);
    // A copy is another array to a viewer: it compares every element.
    LabelArray(const LabelArray& other);
    LabelArray(LabelArray&& other) noexcept;
    LabelArray& operator=(const LabelArray& other);
    LabelArray& operator=(LabelArray&& other) noexcept;
    ~LabelArray() = default;

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

    [[nodiscard]] ChangeMark changeMark() const { return {identity_, changes_}; }
    // The elements that may differ from what a viewer saw at `mark`: those
    // handed out to be changed, made or destroyed since, in no order and some
    // maybe twice; nullopt when that is not known (a mark of other contents,
    // or more changes since than are kept).
    [[nodiscard]] std::optional<std::span<const int>> changedSince(ChangeMark mark) const;

  private:
    void touch(int index);

    std::map<int, Label> elements_;
    std::uint64_t identity_ = newIdentity();
    std::uint64_t changes_ = 0;
    std::uint64_t keptFrom_ = 0; // the changes after this one are kept
    std::vector<int> touched_;   // the element of each kept change
    static std::uint64_t newIdentity();
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
