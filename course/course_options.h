// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/command_line.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace keyloom {

// Bad course input: the message, in UTF-8, says what is wrong; the run that
// was going on goes on.
class CourseError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a finished segment must reach to move on; all zero: nothing, every
// finished segment moves on.
struct Target {
    int accuracy = 0; // per mille
    int charactersPerMinute = 0;
    double keysPerSecond = 0; // 击键

    [[nodiscard]] bool any() const {
        return accuracy > 0 || charactersPerMinute > 0 || keysPerSecond > 0;
    }
    friend bool operator==(const Target&, const Target&) = default;
};

// The segment length that means the whole text (全文).
inline constexpr int kWholeText = 0;
inline constexpr int kDefaultSegmentLength = 20;

// Where a learner is in a course; it travels to each new run as the command
// line's options, so a desktop file or an alias can start it too.
struct CourseOptions {
    std::u16string set{};               // a set's or a text's name, as the lesson window lists it
    int length = kDefaultSegmentLength; // characters, or kWholeText
    int segment = 1;                    // 1-based
    bool shuffle = false;
    std::uint64_t seed = 0; // the pass's order, where shuffle is on
    Target target{};
    // Shown in the new window: this segment's attempt, and how the one
    // before it ended ("达标 …" or "未达标 …"), empty for none.
    int attempt = 1;
    std::u16string previous{};

    friend bool operator==(const CourseOptions&, const CourseOptions&) = default;
};

// The course the arguments ask for; none without --set. Raises CourseError
// for a value that is not one, or a course option without --set. A shuffle
// without a seed takes `freshSeed`.
std::optional<CourseOptions> parseCourseOptions(const CourseArguments& arguments,
                                                std::uint64_t freshSeed);

// The command line's options that give `options` back.
std::vector<std::string> courseArguments(const CourseOptions& options);

// "正确率≥1000‰ 速度≥60字/分", "无目标" without one.
std::u16string targetText(const Target& target);

} // namespace keyloom
