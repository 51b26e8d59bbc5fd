// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/segments.h"

#include "course/shuffle.h"
#include "text/code_points.h"
#include "text/utf8_text.h"

#include <string>

namespace keyloom {

std::vector<std::size_t> segmentBounds(const std::vector<std::u16string>& entries, int length) {
    std::vector<std::size_t> bounds{0};
    std::size_t filled = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t size = codePointCount(entries[i]);
        if (length != kWholeText && filled > 0 &&
            filled + size > static_cast<std::size_t>(length)) {
            bounds.push_back(i);
            filled = 0;
        }
        filled += size;
    }
    if (!entries.empty()) {
        bounds.push_back(entries.size());
    }
    return bounds;
}

Segment segmentOf(const CourseMaterial& material, const CourseOptions& options) {
    const bool shuffled = options.shuffle && material.shuffles;
    std::vector<std::u16string> order = material.entries;
    if (shuffled) {
        shuffleWithSeed(order, options.seed);
    }
    const std::vector<std::size_t> bounds = segmentBounds(order, options.length);
    const auto count = static_cast<int>(bounds.size()) - 1;
    if (options.segment < 1 || options.segment > count) {
        throw CourseError("“" + toUtf8(options.set) + "”只有 " + std::to_string(count) +
                          " 段，没有第 " + std::to_string(options.segment) + " 段。");
    }
    const auto index = static_cast<std::size_t>(options.segment);
    std::vector<std::u16string> entries(order.begin() +
                                            static_cast<std::ptrdiff_t>(bounds[index - 1]),
                                        order.begin() + static_cast<std::ptrdiff_t>(bounds[index]));
    if (shuffled && options.attempt > 1) {
        shuffleWithSeed(entries,
                        nextSeed(options.seed + static_cast<std::uint64_t>(options.attempt)));
    }
    Segment segment{.number = options.segment, .count = count};
    for (const std::u16string& entry : entries) {
        segment.text += entry;
    }
    return segment;
}

} // namespace keyloom
