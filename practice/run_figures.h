// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/run_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// A reference character typed as another, and how often.
struct WrongCharacter {
    char32_t reference;
    char32_t typed;
    int count;
};

// A character and the time it took, at its place in the run (0-based).
struct TimedCharacter {
    char32_t character; // the reference, or what was typed past the lesson's end
    std::size_t position;
    double seconds;
};

// The report's figures for the run so far, on one time base: the typing time
// from the first counted key to the newest commit still standing. All in
// double precision; a figure whose divisor is 0 is 0.
struct RunFigures {
    double typingSeconds = 0;
    int characters = 0; // scored and still standing
    int wrong = 0;
    int accuracy = 0; // per mille, rounded half to even
    int speed = 0;    // characters a minute, rounded half to even
    int netSpeed = 0; // the same with five characters off for each wrong one
    std::int64_t keystrokes = 0;
    bool keystrokesEstimated = false;
    double keysPerSecond = 0;
    double keysPerCharacter = 0;
    std::int64_t corrections = 0;                // Backspaces that took a character back
    double phraseRate = 0;                       // share of characters that came in phrases
    std::vector<WrongCharacter> wrongCharacters; // most often first, then by first place
    std::vector<TimedCharacter> slowest;         // the ten slowest, slowest first
    std::vector<double> rowSpeeds;               // characters a minute in each row of 44
    // Each distinct wrong or slow reference character, in the order of its
    // first place in the lesson, three times.
    std::u16string drill;
};

RunFigures computeFigures(const RunRecord& record);

// Each standing character's time in seconds, in order; they sum to the
// typing time.
std::vector<double> characterSeconds(const RunRecord& record);

// The one-line result to share, with no line end, e.g.
// "Keyloom 1.0 速度62字/分 击键3.41 码长3.31 回改2 正确率985‰ 字数131 错字2 用时2:07";
// an estimated keystroke count puts 约 before 击键's and 码长's values.
std::u16string resultLine(const RunFigures& figures, std::u16string_view programName);

// The report's figures as name and value, in the order shown.
struct FigureText {
    std::u16string name;
    std::u16string value;
};
std::vector<FigureText> figureTexts(const RunFigures& figures);

// The wrong characters as lines "错 → 措 ×2", the slowest as "慢 3.4 秒",
// at most `maxLines` of each; a last line says how many more there are.
std::u16string wrongCharactersText(const RunFigures& figures, std::size_t maxLines);
std::u16string slowestText(const RunFigures& figures);

// Minutes and seconds, the minutes not wrapped: "75:03".
std::u16string minutesSeconds(double seconds);

} // namespace keyloom
