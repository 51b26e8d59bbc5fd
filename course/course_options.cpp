// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "course/course_options.h"

#include "text/utf8_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace keyloom {
namespace {

constexpr int kMaxLength = 100'000;
constexpr int kMaxAccuracy = 1000;
constexpr int kMaxSpeed = 10'000;
constexpr double kMaxKeysPerSecond = 100;
constexpr std::size_t kMaxPrevious = 200;

[[noreturn]] void refuse(const std::string& message) {
    throw CourseError(message);
}

// A whole decimal number in [low, high], nothing around it.
std::optional<long long> wholeNumber(std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

int length(const std::string& text) {
    if (text == "全文") {
        return kWholeText;
    }
    const auto value = wholeNumber(text, 1, kMaxLength);
    if (!value) {
        refuse("段长应是 1 到 100000 的整数或“全文”，而不是“" + text + "”。");
    }
    return static_cast<int>(*value);
}

// "ACCURACY[,SPEED]": a SPEED with a decimal point is keys a second (击键),
// a whole one characters a minute.
Target target(const std::string& text) {
    const std::string bad =
        "目标应写作“正确率‰[,速度]”，如 1000 或 1000,60 或 980,4.5，而不是“" + text + "”。";
    const std::size_t comma = text.find(',');
    const auto accuracy = wholeNumber(text.substr(0, comma), 0, kMaxAccuracy);
    if (!accuracy) {
        refuse(bad);
    }
    Target result{.accuracy = static_cast<int>(*accuracy)};
    if (comma == std::string::npos) {
        return result;
    }
    const std::string speed = text.substr(comma + 1);
    if (speed.find('.') == std::string::npos) {
        const auto perMinute = wholeNumber(speed, 0, kMaxSpeed);
        if (!perMinute) {
            refuse(bad);
        }
        result.charactersPerMinute = static_cast<int>(*perMinute);
        return result;
    }
    double perSecond = 0;
    const auto [end, error] = std::from_chars(speed.data(), speed.data() + speed.size(), perSecond,
                                              std::chars_format::fixed);
    if (speed.front() == '.' || error != std::errc() || end != speed.data() + speed.size() ||
        !std::isfinite(perSecond) || perSecond < 0 || perSecond > kMaxKeysPerSecond) {
        refuse(bad);
    }
    result.keysPerSecond = perSecond;
    return result;
}

std::u16string text(const std::string& utf8, const char* what) {
    std::u16string result = fromUtf8(utf8);
    if (result.empty() && !utf8.empty()) {
        refuse(std::string(what) + "不是有效的 UTF-8 文字。");
    }
    return result;
}

} // namespace

std::optional<CourseOptions> parseCourseOptions(const CourseArguments& arguments,
                                                std::uint64_t freshSeed) {
    if (!arguments.set) {
        if (arguments.length || arguments.segment || arguments.shuffle || arguments.seed ||
            arguments.target || arguments.attempt || arguments.previous) {
            refuse("--length、--segment、--shuffle、--seed、--target 要与 --set 一起用。");
        }
        return std::nullopt;
    }
    CourseOptions options;
    options.set = text(*arguments.set, "课文名");
    if (options.set.empty()) {
        refuse("--set 要给出课文名。");
    }
    if (arguments.length) {
        options.length = length(*arguments.length);
    }
    if (arguments.segment) {
        const auto segment = wholeNumber(*arguments.segment, 1, kMaxLength);
        if (!segment) {
            refuse("段号应是从 1 起的整数，而不是“" + *arguments.segment + "”。");
        }
        options.segment = static_cast<int>(*segment);
    }
    options.shuffle = arguments.shuffle;
    options.seed = freshSeed;
    if (arguments.seed) {
        std::uint64_t seed = 0;
        const std::string& given = *arguments.seed;
        const auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), seed);
        if (given.empty() || error != std::errc() || end != given.data() + given.size()) {
            refuse("种子应是一个非负整数，而不是“" + given + "”。");
        }
        options.seed = seed;
    }
    if (arguments.target) {
        options.target = target(*arguments.target);
    }
    if (arguments.attempt) {
        const auto attempt = wholeNumber(*arguments.attempt, 1, kMaxLength);
        if (!attempt) {
            refuse("次数应是从 1 起的整数，而不是“" + *arguments.attempt + "”。");
        }
        options.attempt = static_cast<int>(*attempt);
    }
    if (arguments.previous) {
        options.previous = text(*arguments.previous, "上次的成绩");
        if (options.previous.size() > kMaxPrevious) {
            options.previous.resize(kMaxPrevious);
        }
    }
    return options;
}

std::vector<std::string> courseArguments(const CourseOptions& options) {
    std::vector<std::string> arguments{
        "--set",
        toUtf8(options.set),
        "--length",
        options.length == kWholeText ? std::string("全文") : std::to_string(options.length),
        "--segment",
        std::to_string(options.segment)};
    if (options.shuffle) {
        arguments.insert(arguments.end(), {"--shuffle", "--seed", std::to_string(options.seed)});
    }
    if (options.target.any()) {
        std::string target = std::to_string(options.target.accuracy);
        if (options.target.charactersPerMinute > 0) {
            target += "," + std::to_string(options.target.charactersPerMinute);
        } else if (options.target.keysPerSecond > 0) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.2f", options.target.keysPerSecond);
            target += std::string(",") + buffer;
        }
        arguments.insert(arguments.end(), {"--target", target});
    }
    if (options.attempt > 1) {
        arguments.insert(arguments.end(), {"--attempt", std::to_string(options.attempt)});
    }
    if (!options.previous.empty()) {
        arguments.insert(arguments.end(), {"--previous", toUtf8(options.previous)});
    }
    return arguments;
}

std::u16string targetText(const Target& target) {
    if (!target.any()) {
        return u"无目标";
    }
    std::string text;
    if (target.accuracy > 0) {
        text = "正确率≥" + std::to_string(target.accuracy) + "‰";
    }
    if (target.charactersPerMinute > 0) {
        text += (text.empty() ? "" : " ") + std::string("速度≥") +
                std::to_string(target.charactersPerMinute) + "字/分";
    } else if (target.keysPerSecond > 0) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "击键≥%.1f", target.keysPerSecond);
        text += (text.empty() ? "" : " ") + std::string(buffer);
    }
    return fromUtf8(text);
}

} // namespace keyloom
