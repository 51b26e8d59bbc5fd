// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/lesson_choices.h"

#include "text/utf8_text.h"

#include <array>

namespace keyloom {
namespace {

constexpr std::array kLengths{10, 20, 50, 100, 200, 500, kWholeText};
constexpr std::array kAccuracies{0, 900, 950, 980, 1000};
constexpr std::array kCharactersPerMinute{30, 60, 90, 120};
constexpr std::array kKeysPerSecond{2.0, 3.0, 4.0, 5.0};

std::u16string number(std::size_t value) {
    return fromUtf8(std::to_string(value));
}

} // namespace

LessonChoices::LessonChoices(Library library, std::uint64_t seed)
    : library_(std::move(library)), seed_(seed) {}

std::vector<std::u16string> LessonChoices::textItems() const {
    std::vector<std::u16string> items;
    items.reserve(library_.texts.size());
    for (const CourseText& text : library_.texts) {
        items.push_back(text.name + u"（" + number(text.size) + (text.isSet ? u" 条）" : u" 字）"));
    }
    return items;
}

std::vector<std::u16string> LessonChoices::lengthItems() {
    std::vector<std::u16string> items;
    items.reserve(kLengths.size());
    for (const int length : kLengths) {
        items.push_back(length == kWholeText ? u"全文" : number(static_cast<std::size_t>(length)));
    }
    return items;
}

std::vector<std::u16string> LessonChoices::accuracyItems() {
    std::vector<std::u16string> items;
    items.reserve(kAccuracies.size());
    for (const int accuracy : kAccuracies) {
        items.push_back(accuracy == 0 ? u"无" : number(static_cast<std::size_t>(accuracy)) + u"‰");
    }
    return items;
}

std::vector<std::u16string> LessonChoices::speedItems() {
    std::vector<std::u16string> items{u"无"};
    for (const int speed : kCharactersPerMinute) {
        items.push_back(targetText({.charactersPerMinute = speed}));
    }
    for (const double keys : kKeysPerSecond) {
        items.push_back(targetText({.keysPerSecond = keys}));
    }
    return items;
}

std::u16string LessonChoices::problems() const {
    std::u16string text;
    for (const std::u16string& problem : library_.problems) {
        text += (text.empty() ? u"" : u"\n") + problem;
    }
    return text;
}

bool LessonChoices::shuffles(std::size_t text) const {
    return text < library_.texts.size() && library_.texts[text].isSet;
}

const CourseMaterial& LessonChoices::material(std::size_t text) {
    if (text >= library_.texts.size()) {
        throw CourseError("没有选中课文。");
    }
    const auto found = read_.find(text);
    if (found != read_.end()) {
        return found->second;
    }
    return read_.emplace(text, readMaterial(library_.texts[text])).first->second;
}

int LessonChoices::segmentCount(const Chosen& chosen) {
    Chosen first = chosen;
    first.segment = 1;
    return segmentOf(material(chosen.text), options(first)).count;
}

CourseOptions LessonChoices::options(const Chosen& chosen) {
    CourseOptions options{.set = chosen.text < library_.texts.size()
                                     ? library_.texts[chosen.text].name
                                     : std::u16string(),
                          .length = kLengths.at(chosen.length),
                          .segment = chosen.segment,
                          .shuffle = chosen.shuffle && shuffles(chosen.text),
                          .seed = seed_,
                          .target = {.accuracy = kAccuracies.at(chosen.accuracy)}};
    if (chosen.speed > 0 && chosen.speed <= kCharactersPerMinute.size()) {
        options.target.charactersPerMinute = kCharactersPerMinute.at(chosen.speed - 1);
    } else if (chosen.speed > kCharactersPerMinute.size()) {
        options.target.keysPerSecond =
            kKeysPerSecond.at(chosen.speed - 1 - kCharactersPerMinute.size());
    }
    (void)segmentOf(material(chosen.text), options); // a segment past the end is refused here
    return options;
}

} // namespace keyloom
