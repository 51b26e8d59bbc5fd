// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/segments.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// The graded sets, easiest first: "<name>.txt" in the sets' folder, UTF-8,
// one entry a line, in rank order.
inline constexpr std::array<std::u16string_view, 6> kSetNames{u"常用字前500", u"常用字中500",
                                                              u"常用字后500", u"常用字1501-3500",
                                                              u"常用词前500", u"常用词501-1500"};

// At most this many of the user's texts are listed.
inline constexpr std::size_t kMaxUserTexts = 1000;

// Where the texts of a course come from.
struct LibraryPlaces {
    std::filesystem::path sets{};          // the generated sets
    std::filesystem::path userTexts{};     // every *.txt there, titled by file name
    std::filesystem::path bundledLesson{}; // the program's own article
};

// A text a course can follow.
struct CourseText {
    std::u16string name{};
    std::filesystem::path path{};
    bool isSet = false;
    std::size_t size = 0; // a set's entries, an article's characters
};

// What the lesson window lists, and what it could not list and why.
struct Library {
    std::vector<CourseText> texts{}; // the sets, the bundled article, the user's texts by name
    std::vector<std::u16string> problems{};
};

Library readLibrary(const LibraryPlaces& places);

// The text of that name, or nullptr.
const CourseText* findText(const Library& library, std::u16string_view name);

// The text's entries. Raises CourseError when it cannot be read or holds
// nothing to practise.
CourseMaterial readMaterial(const CourseText& text);

} // namespace keyloom
