// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/library.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace keyloom {

// What the lesson window offers and the course it starts, the same in every
// front end: the window only shows these lists and hands back the indexes
// chosen.
class LessonChoices {
  public:
    struct Chosen {
        std::size_t text = 0;
        std::size_t length = kDefaultLengthItem;
        bool shuffle = false;
        int segment = 1;
        std::size_t accuracy = kDefaultAccuracyItem;
        std::size_t speed = 0;
    };
    static constexpr std::size_t kDefaultLengthItem = 1;   // 20
    static constexpr std::size_t kDefaultAccuracyItem = 4; // 1000‰

    // `seed` orders a shuffled course.
    LessonChoices(Library library, std::uint64_t seed);

    // "常用字前500（500 条）", "文档（1234 字）".
    [[nodiscard]] std::vector<std::u16string> textItems() const;
    static std::vector<std::u16string> lengthItems();   // 10 … 500, 全文
    static std::vector<std::u16string> accuracyItems(); // 无, 900‰ … 1000‰
    static std::vector<std::u16string> speedItems();    // 无, 速度≥N字/分, 击键≥x.x
    // Why a text is not listed, one a line; empty when all is well.
    [[nodiscard]] std::u16string problems() const;
    // Whether 乱序 applies to the text: an article is never shuffled.
    [[nodiscard]] bool shuffles(std::size_t text) const;

    // The segments the chosen text falls into. Raises CourseError when it
    // cannot be read.
    int segmentCount(const Chosen& chosen);
    // The course to start. Raises CourseError as segmentCount does, or for
    // a segment past the end.
    CourseOptions options(const Chosen& chosen);

  private:
    const CourseMaterial& material(std::size_t text);

    Library library_;
    std::uint64_t seed_;
    std::map<std::size_t, CourseMaterial> read_;
};

} // namespace keyloom
