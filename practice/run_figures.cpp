// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/run_figures.h"

#include "practice/ring.h"
#include "text/punctuation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>
#include <unordered_set>

namespace keyloom {
namespace {

constexpr double kSecondsPerMinute = 60;
constexpr double kPerMille = 1000;
constexpr int kWrongPenalty = 5; // 错一罚五
constexpr double kSlowFactor = 2;
constexpr double kSlowAtLeastSeconds = 1;
constexpr std::size_t kSlowestShown = 10;
constexpr int kDrillRepeats = 3;

double ratio(double value, double divisor) {
    return divisor == 0 ? 0 : value / divisor;
}

// Rounds half to even, as the main window's counters do.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

void appendUtf16(std::u16string& text, char32_t character) {
    if (character >= 0x10000) {
        const char32_t offset = character - 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    } else {
        text.push_back(static_cast<char16_t>(character));
    }
}

std::u16string ascii(const char* text) {
    std::u16string result;
    for (; *text != '\0'; ++text) {
        result.push_back(static_cast<char16_t>(*text));
    }
    return result;
}

std::u16string twoDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return ascii(text);
}

std::u16string number(long long value) {
    return ascii(std::to_string(value).c_str());
}

// Characters that arrived in a commit of two or more that are not
// punctuation, themselves not punctuation.
int phraseCharacters(const RunRecord& record) {
    int phrased = 0;
    std::size_t next = 0;
    for (const RunRecord::Commit& commit : record.commits()) {
        for (std::size_t i = 0; i < commit.standing; ++i, ++next) {
            if (commit.arrivedWording >= 2 && !isPunctuation(record.characters()[next].typed)) {
                ++phrased;
            }
        }
    }
    return phrased;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) {
        return *middle;
    }
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

std::vector<WrongCharacter> wrongCharacters(const std::vector<RunRecord::Character>& characters) {
    std::vector<WrongCharacter> wrong;
    std::map<std::pair<char32_t, char32_t>, std::size_t> found;
    for (const RunRecord::Character& c : characters) {
        if (c.right()) {
            continue;
        }
        const auto [place, isNew] = found.try_emplace({c.reference, c.typed}, wrong.size());
        if (isNew) {
            wrong.push_back({c.reference, c.typed, 0});
        }
        ++wrong[place->second].count;
    }
    std::ranges::stable_sort(wrong, std::greater{}, &WrongCharacter::count);
    return wrong;
}

std::vector<double> rowSpeeds(const std::vector<double>& seconds) {
    std::vector<double> speeds;
    for (std::size_t from = 0; from < seconds.size(); from += kRowWidth) {
        const std::size_t to = std::min(seconds.size(), from + kRowWidth);
        const double time = std::accumulate(seconds.begin() + static_cast<std::ptrdiff_t>(from),
                                            seconds.begin() + static_cast<std::ptrdiff_t>(to), 0.0);
        speeds.push_back(ratio(static_cast<double>(to - from), time / kSecondsPerMinute));
    }
    return speeds;
}

// The standing characters' references follow the lesson from its start, so
// a reference's first place among them is its first place in the lesson.
std::u16string drill(const std::vector<RunRecord::Character>& characters,
                     const std::vector<double>& seconds) {
    const double slowFrom = std::max(kSlowFactor * median(seconds), kSlowAtLeastSeconds);
    std::vector<char32_t> inLessonOrder;
    // Hashed, not ordered: a long run holds tens of thousands of distinct
    // characters, and the order comes from inLessonOrder.
    std::unordered_set<char32_t> seen;
    std::unordered_set<char32_t> weak;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t reference = characters[i].reference;
        if (reference == RunRecord::kNoReference) {
            continue;
        }
        if (seen.insert(reference).second) {
            inLessonOrder.push_back(reference);
        }
        if (!characters[i].right() || seconds[i] > slowFrom) {
            weak.insert(reference);
        }
    }
    std::u16string text;
    for (const char32_t reference : inLessonOrder) {
        for (int r = 0; r < kDrillRepeats && weak.contains(reference); ++r) {
            appendUtf16(text, reference);
        }
    }
    return text;
}

std::vector<TimedCharacter> slowest(const std::vector<RunRecord::Character>& characters,
                                    const std::vector<double>& seconds) {
    std::vector<TimedCharacter> timed;
    timed.reserve(characters.size());
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const RunRecord::Character& c = characters[i];
        timed.push_back(
            {c.reference != RunRecord::kNoReference ? c.reference : c.typed, i, seconds[i]});
    }
    const std::size_t shown = std::min(kSlowestShown, timed.size());
    std::ranges::partial_sort(timed, timed.begin() + static_cast<std::ptrdiff_t>(shown),
                              [](const TimedCharacter& a, const TimedCharacter& b) {
                                  return a.seconds != b.seconds ? a.seconds > b.seconds
                                                                : a.position < b.position;
                              });
    timed.resize(shown);
    return timed;
}

} // namespace

std::vector<double> characterSeconds(const RunRecord& record) {
    std::vector<double> seconds;
    seconds.reserve(record.characters().size());
    std::uint32_t before = 0;
    for (const RunRecord::Commit& commit : record.commits()) {
        const double each = (commit.atMs - before) / 1000.0 / commit.standing;
        seconds.insert(seconds.end(), commit.standing, each);
        before = commit.atMs;
    }
    return seconds;
}

RunFigures computeFigures(const RunRecord& record) {
    const std::vector<RunRecord::Character>& characters = record.characters();
    const std::vector<double> seconds = characterSeconds(record);
    RunFigures f;
    f.typingSeconds = std::chrono::duration<double>(record.typingTime()).count();
    const double minutes = f.typingSeconds / kSecondsPerMinute;
    f.characters = static_cast<int>(characters.size());
    f.wrong = static_cast<int>(std::ranges::count_if(
        characters, [](const RunRecord::Character& c) { return !c.right(); }));
    f.accuracy = roundHalfEven(ratio(f.characters - f.wrong, f.characters) * kPerMille);
    f.speed = roundHalfEven(ratio(f.characters, minutes));
    f.netSpeed = roundHalfEven(ratio(std::max(0, f.characters - kWrongPenalty * f.wrong), minutes));
    f.keystrokes = record.keystrokes();
    f.keystrokesEstimated = record.keystrokesEstimated();
    f.keysPerSecond = ratio(static_cast<double>(f.keystrokes), f.typingSeconds);
    f.keysPerCharacter = ratio(static_cast<double>(f.keystrokes), f.characters);
    f.corrections = record.corrections();
    f.phraseRate = ratio(phraseCharacters(record), f.characters);
    f.wrongCharacters = wrongCharacters(characters);
    f.slowest = slowest(characters, seconds);
    f.rowSpeeds = rowSpeeds(seconds);
    f.drill = drill(characters, seconds);
    return f;
}

std::u16string minutesSeconds(double seconds) {
    const auto whole = static_cast<long long>(std::floor(std::max(0.0, seconds)));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return ascii(text);
}

std::u16string resultLine(const RunFigures& f, std::u16string_view programName) {
    const std::u16string about = f.keystrokesEstimated ? u"约" : u"";
    std::u16string line(programName);
    line += u" 速度" + number(f.speed) + u"字/分";
    line += u" 击键" + about + twoDecimals(f.keysPerSecond);
    line += u" 码长" + about + twoDecimals(f.keysPerCharacter);
    line += u" 回改" + number(f.corrections);
    line += u" 正确率" + number(f.accuracy) + u"‰";
    line += u" 字数" + number(f.characters);
    line += u" 错字" + number(f.wrong);
    line += u" 用时" + minutesSeconds(f.typingSeconds);
    return line;
}

std::vector<FigureText> figureTexts(const RunFigures& f) {
    const std::u16string about = f.keystrokesEstimated ? u"约" : u"";
    return {
        {u"速度", number(f.speed) + u" 字/分"},
        {u"净速 (错一罚五)", number(f.netSpeed) + u" 字/分"},
        {u"击键", about + twoDecimals(f.keysPerSecond) + u" 键/秒"},
        {u"码长", about + twoDecimals(f.keysPerCharacter) + u" 键/字"},
        {u"键数", about + number(f.keystrokes)},
        {u"回改", number(f.corrections)},
        {u"打词率", number(roundHalfEven(f.phraseRate * 100)) + u"%"},
        {u"正确率", number(f.accuracy) + u"‰"},
        {u"字数", number(f.characters)},
        {u"错字", number(f.wrong)},
        {u"用时", minutesSeconds(f.typingSeconds)},
    };
}

namespace {

// Two spaces and the character's codes, when there are any.
std::u16string codesAfter(const CodesOf& codesOf, char32_t character) {
    const std::u16string codes = codesOf ? codesOf(character) : std::u16string();
    return codes.empty() ? codes : u"  " + codes;
}

} // namespace

std::u16string wrongCharactersText(const RunFigures& f, std::size_t maxLines,
                                   const CodesOf& codesOf) {
    std::u16string text;
    const std::size_t shown = std::min(maxLines, f.wrongCharacters.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const WrongCharacter& w = f.wrongCharacters[i];
        if (!text.empty()) {
            text += u'\n';
        }
        if (w.reference == RunRecord::kNoReference) {
            text += u"(文末)";
        } else {
            appendUtf16(text, w.reference);
        }
        text += u" → ";
        appendUtf16(text, w.typed);
        text += u" ×" + number(w.count);
        if (w.reference != RunRecord::kNoReference) {
            text += codesAfter(codesOf, w.reference);
        }
    }
    if (shown < f.wrongCharacters.size()) {
        text +=
            u"\n另有 " + number(static_cast<long long>(f.wrongCharacters.size() - shown)) + u" 种";
    }
    return text.empty() ? u"没有错字" : text;
}

std::u16string slowestText(const RunFigures& f, const CodesOf& codesOf) {
    std::u16string text;
    for (const TimedCharacter& t : f.slowest) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", t.seconds);
        if (!text.empty()) {
            text += u'\n';
        }
        appendUtf16(text, t.character);
        text += u' ' + ascii(seconds) + u" 秒";
        text += codesAfter(codesOf, t.character);
    }
    return text;
}

} // namespace keyloom
