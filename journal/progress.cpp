// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/progress.h"

#include "journal/journal_lines.h"

#include <map>

namespace keyloom {
namespace {

constexpr double kSecondsPerMinute = 60;
constexpr double kPerMille = 1000;
constexpr std::size_t kDayLength = 10; // "2026-12-08"

} // namespace

std::string localDay(WallTime time) {
    return formatDate(time).substr(0, kDayLength);
}

std::vector<DayProgress> progressByDay(const std::vector<JournalRun>& runs) {
    std::map<std::string, DayProgress> days;
    std::map<std::string, std::int64_t> wrong;
    for (const JournalRun& run : runs) {
        const std::string day = localDay(run.date);
        DayProgress& progress = days[day];
        progress.day = day;
        ++progress.runs;
        progress.characters += run.characters;
        progress.seconds += run.typingSeconds;
        wrong[day] += run.wrong;
    }
    std::vector<DayProgress> ordered;
    ordered.reserve(days.size());
    for (auto& [day, progress] : days) {
        const auto characters = static_cast<double>(progress.characters);
        progress.speed =
            progress.seconds > 0 ? characters / (progress.seconds / kSecondsPerMinute) : 0;
        progress.accuracy =
            characters > 0 ? (characters - static_cast<double>(wrong[day])) / characters * kPerMille
                           : 0;
        ordered.push_back(progress);
    }
    return ordered;
}

PracticeTotals practiceTotals(const std::vector<JournalRun>& runs, WallTime now) {
    const std::string today = localDay(now);
    PracticeTotals totals;
    for (const JournalRun& run : runs) {
        totals.allCharacters += run.characters;
        totals.allSeconds += run.typingSeconds;
        if (localDay(run.date) == today) {
            totals.todayCharacters += run.characters;
            totals.todaySeconds += run.typingSeconds;
        }
    }
    return totals;
}

} // namespace keyloom
