// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/weakness.h"

#include <algorithm>
#include <cmath>

namespace keyloom {
namespace {

constexpr double kHalfLifeSeconds = 14.0 * 24 * 60 * 60;
constexpr double kErrorWeight = 2;
constexpr std::size_t kDrillRepeats = 3;
constexpr std::size_t kDrillLength = 100;

void appendUtf16(std::u16string& text, char32_t character) {
    if (character >= 0x10000) {
        const char32_t offset = character - 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (offset >> 10U)));
        text.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FFU)));
    } else {
        text.push_back(static_cast<char16_t>(character));
    }
}

} // namespace

double runWeight(std::int64_t ageSeconds) {
    return std::exp2(-static_cast<double>(std::max<std::int64_t>(ageSeconds, 0)) /
                     kHalfLifeSeconds);
}

double medianSecondsPerCharacter(const std::vector<JournalRun>& runs) {
    std::vector<double> each;
    each.reserve(runs.size());
    for (const JournalRun& run : runs) {
        if (run.characters > 0) {
            each.push_back(run.typingSeconds / static_cast<double>(run.characters));
        }
    }
    if (each.empty()) {
        return 0;
    }
    std::ranges::sort(each);
    const std::size_t middle = each.size() / 2;
    return each.size() % 2 == 1 ? each[middle] : (each[middle - 1] + each[middle]) / 2;
}

double weaknessScore(const CharacterHistory& history, double medianSeconds) {
    if (history.weightedTyped <= 0) {
        return 0;
    }
    const double errors = history.weightedWrong / history.weightedTyped;
    const double seconds = history.weightedSeconds / history.weightedTyped;
    const double slowness = medianSeconds > 0 ? std::max(0.0, seconds / medianSeconds - 1) : 0;
    return kErrorWeight * errors + slowness;
}

std::vector<WeakCharacter> weakCharacters(const std::vector<CharacterHistory>& characters,
                                          double medianSeconds) {
    std::vector<WeakCharacter> weak;
    for (const CharacterHistory& history : characters) {
        const double score = weaknessScore(history, medianSeconds);
        if (score >= kWeakFrom) {
            weak.push_back({history.character, history.typed, history.wrong, score});
        }
    }
    std::ranges::sort(weak, [](const WeakCharacter& a, const WeakCharacter& b) {
        if (a.score != b.score) {
            return a.score > b.score;
        }
        if (a.typed != b.typed) {
            return a.typed > b.typed;
        }
        return a.character < b.character;
    });
    return weak;
}

std::u16string weakDrill(const std::vector<WeakCharacter>& weak) {
    std::u16string drill;
    const std::size_t count = std::min(weak.size(), kDrillLength / kDrillRepeats);
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t r = 0; r < kDrillRepeats; ++r) {
            appendUtf16(drill, weak[i].character);
        }
    }
    return drill;
}

} // namespace keyloom
