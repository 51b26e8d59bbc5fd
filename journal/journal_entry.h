// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace keyloom {

// A moment on the learner's wall clock: seconds since 1970 in UTC and the
// local offset from UTC at that moment.
struct WallTime {
    std::int64_t utcSeconds = 0;
    int offsetMinutes = 0;
    bool operator==(const WallTime&) const = default;
};

// One reference character of a saved run.
struct JournalCharacter {
    char32_t character = 0;
    std::int64_t typed = 0; // how often it was typed
    std::int64_t wrong = 0; // of them wrong
    double seconds = 0;     // their time together
    bool operator==(const JournalCharacter&) const = default;
};

// A saved run: the report's figures when it was saved. A run saved again
// keeps its key and takes the next revision; the highest revision is the run.
struct JournalRun {
    std::string key; // letters, digits and '-'
    std::int64_t revision = 1;
    WallTime date;    // when it was saved
    std::string text; // the text's name, UTF-8
    std::int64_t speed = 0;
    std::int64_t netSpeed = 0;
    double keysPerSecond = 0;
    double keysPerCharacter = 0;
    std::int64_t accuracy = 0; // per mille
    std::int64_t characters = 0;
    std::int64_t wrong = 0;
    std::int64_t corrections = 0;
    std::int64_t keystrokes = 0;
    bool keystrokesEstimated = false;
    double phraseRate = 0;
    double typingSeconds = 0;
    bool operator==(const JournalRun&) const = default;
};

struct JournalEntry {
    JournalRun run;
    std::vector<JournalCharacter> characters;
    bool operator==(const JournalEntry&) const = default;
};

} // namespace keyloom
