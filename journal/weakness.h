// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"

#include <string>
#include <vector>

namespace keyloom {

// A run's weight in the weakness score: 1 for a run saved now, halved for
// every 14 days of age.
double runWeight(std::int64_t ageSeconds);

// The median over the runs of their typing seconds a character; 0 without
// a run that scored any.
double medianSecondsPerCharacter(const std::vector<JournalRun>& runs);

struct WeakCharacter {
    char32_t character = 0;
    std::int64_t typed = 0;
    std::int64_t wrong = 0;
    double score = 0;
};

// The characters whose score reaches kWeakFrom, weakest first (ties: more
// often typed first, then by code point).
inline constexpr double kWeakFrom = 0.5;
double weaknessScore(const CharacterHistory& history, double medianSeconds);
std::vector<WeakCharacter> weakCharacters(const std::vector<CharacterHistory>& characters,
                                          double medianSeconds);

// Three of each weak character in order of weakness, at most 100
// characters: the drill's lesson.
std::u16string weakDrill(const std::vector<WeakCharacter>& weak);

} // namespace keyloom
