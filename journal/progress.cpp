// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/progress.h"

#include "journal/journal_lines.h"

#include <map>
#include <utility>

namespace keyloom {
namespace {

constexpr double kSecondsPerMinute = 60;
constexpr double kPerMille = 1000;
constexpr std::size_t kDayLength = 10; // "2026-12-08"

// Days since 1970 on the wall clock where the moment was saved: telling
// days apart by number spares formatting every run's date.
std::int64_t localDayNumber(WallTime time) {
    constexpr std::int64_t kSecondsPerDay = 86400;
    const std::int64_t local = time.utcSeconds + std::int64_t{time.offsetMinutes} * 60;
    return local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay;
}

} // namespace

std::string localDay(WallTime time) {
    return formatDate(time).substr(0, kDayLength);
}

std::vector<DayProgress> progressByDay(const std::vector<JournalRun>& runs) {
    std::map<std::int64_t, DayProgress> days;
    std::map<std::int64_t, std::int64_t> wrong;
    for (const JournalRun& run : runs) {
        const std::int64_t day = localDayNumber(run.date);
        DayProgress& progress = days[day];
        if (progress.runs == 0) {
            progress.day = localDay(run.date);
        }
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
        ordered.push_back(std::move(progress));
    }
    return ordered;
}

PracticeTotals practiceTotals(const std::vector<JournalRun>& runs, WallTime now) {
    const std::int64_t today = localDayNumber(now);
    PracticeTotals totals;
    for (const JournalRun& run : runs) {
        totals.allCharacters += run.characters;
        totals.allSeconds += run.typingSeconds;
        if (localDayNumber(run.date) == today) {
            totals.todayCharacters += run.characters;
            totals.todaySeconds += run.typingSeconds;
        }
    }
    return totals;
}

} // namespace keyloom
