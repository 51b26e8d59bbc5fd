// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/main_controls.h"
#include "practice/practice_state.h"
#include "practice/run_record.h"

#include <filesystem>
#include <functional>
#include <string>

namespace keyloom {

// Shift state bits of a key-down, as the platform reports them.
enum ShiftMask : Counter { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// Virtual-key codes the handlers single out.
constexpr Counter kKeyBack = 8;
constexpr Counter kKeyProcessedByIme = 229;

// The main window's event handlers over its controls and its practice state.
// The toolkit binding calls them; they never call the toolkit back.
class FrmMain {
  public:
    FrmMain(MainControls& controls, const TextMeasure& measure) : c_(controls), measure_(measure) {}

    // Lays out both rings and shows the first seven lesson lines. Raises
    // LessonFileError when the lesson cannot be read.
    void Form_Load(const std::filesystem::path& lessonFile);
    // The same with the lesson's text from `readLessonText`, called where the
    // file would be read: a lesson read before, or from standard input.
    void Form_Load(const std::function<std::u16string()>& readLessonText);

    // After each change of the typing box's text: scores its newest character.
    // Never raises: a step that fails is skipped.
    void txtType_Change();

    // Before the typing box applies a key: Backspace takes back the newest
    // character; keys 32 to 127 lock the box, all others unlock it.
    void txtType_KeyDown(Counter keyCode, Counter shift);

    // Every 1000 ms: the clock and the speed. Leaves silently at an error.
    void Timer1_Timer();

    // Every 400 ms: the caret blinks.
    void Timer2_Timer();

    [[nodiscard]] const PracticeState& state() const { return s_; }
    [[nodiscard]] PracticeState& state() { return s_; }
    // What the run was made of, for the report.
    [[nodiscard]] const RunRecord& record() const { return record_; }
    [[nodiscard]] RunRecord& record() { return record_; }

  private:
    void advanceReferenceRing();
    void scoreNewestCharacter();
    void placeMarkAndCaret(const std::u16string& reference);
    void showAccuracy();
    [[nodiscard]] bool canTakeBack() const;
    void takeBackNewestCharacter();

    MainControls& c_;
    const TextMeasure& measure_;
    PracticeState s_;
    RunRecord record_;
};

} // namespace keyloom
