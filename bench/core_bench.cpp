// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The core cost of one scored character: a 20,000-character run through a
// lesson longer than can ever be shown, straight through FrmMain and the
// run's record (its keystrokes counted, its clock read) without a toolkit. Every 16th character is
// taken back and typed again, and one in five is wrong, so ring advances, mark creation and
// destruction, the accuracy and the Backspace path all take their share.
#include "practice/frm_main.h"
#include "practice/keystroke_counter.h"
#include "tests/support/fixed_measure.h"
#include "tests/support/lesson_folder.h"
#include "tests/support/rules_box.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace keyloom::bench {
namespace {

constexpr int kRunLength = 20000;
constexpr int kLessonChars = 40000;
constexpr int kBackspaceEvery = 16;
constexpr int kWrongEvery = 5;

// A lesson longer than can ever be shown, of distinct full-width characters.
std::u16string longLesson() {
    std::u16string text;
    for (int i = 0; i < kLessonChars; ++i) {
        text.push_back(static_cast<char16_t>(0x4E00 + i % 20000));
    }
    return text;
}

class Typist {
  public:
    explicit Typist(const std::filesystem::path& lesson) {
        form_.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });
        form_.Form_Load(lesson);
    }

    // Each reaches the run's record as from a front end: the keystroke, then
    // the character.
    void commit(char16_t ch) {
        keystrokes_.keyDown(kKeyProcessedByIme, 0);
        box_.commit(std::u16string_view(&ch, 1));
    }
    void backspace() {
        keystrokes_.keyDown(kKeyBack, 0);
        box_.backspace();
    }
    [[nodiscard]] const RunRecord& record() const { return form_.record(); }

    [[nodiscard]] char16_t expected() const {
        return form_.state().lessonText[static_cast<std::size_t>(form_.state().typedCount)];
    }
    [[nodiscard]] Counter typedCount() const { return form_.state().typedCount; }

  private:
    FixedMeasure measure_;
    MainControls controls_ = frmMainControls();
    FrmMain form_{controls_, measure_};
    test::RulesBox box_{form_, controls_.txtType};
    KeystrokeCounter keystrokes_{form_.record()};
};

// Characters `from` to `to` of the run.
void typeStretch(Typist& typist, int from, int to) {
    for (int i = from; i <= to; ++i) {
        typist.commit(i % kWrongEvery == 0 ? u'?' : typist.expected());
        if (i % kBackspaceEvery == 0) {
            typist.backspace();
            typist.commit(typist.expected());
        }
    }
}

void typeRun(Typist& typist) {
    typeStretch(typist, 1, kRunLength);
}

void BM_ScoredCharacter(benchmark::State& state) {
    const test::LessonFolder folder;
    folder.write(longLesson());
    for (auto _ : state) {
        state.PauseTiming();
        auto typist = std::make_unique<Typist>(folder.lessonFile());
        state.ResumeTiming();
        typeRun(*typist);
        benchmark::DoNotOptimize(typist->typedCount());
        state.PauseTiming();
        typist.reset(); // the window's teardown is not part of a keystroke
        state.ResumeTiming();
    }
    Typist check(folder.lessonFile());
    typeRun(check);
    if (check.typedCount() != kRunLength) {
        state.SkipWithError("the run did not score every character");
    }
    state.counters["per_char"] = benchmark::Counter(
        kRunLength, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScoredCharacter)->Unit(benchmark::kMillisecond);

// One stretch of 1,000 characters, typed after `state.range(0)` others: the
// cost of a character late in the run against one early in it.
constexpr int kStretch = 1000;
void BM_StretchAfter(benchmark::State& state) {
    const test::LessonFolder folder;
    folder.write(longLesson());
    const auto before = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto typist = std::make_unique<Typist>(folder.lessonFile());
        typeStretch(*typist, 1, before);
        state.ResumeTiming();
        typeStretch(*typist, before + 1, before + kStretch);
        benchmark::DoNotOptimize(typist->typedCount());
        state.PauseTiming();
        typist.reset();
        state.ResumeTiming();
    }
    state.counters["per_char"] = benchmark::Counter(
        kStretch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// The run's record holding the 32,767 characters a run can score: its bytes.
void BM_RecordOfAFullRun(benchmark::State& state) {
    const test::LessonFolder folder;
    folder.write(longLesson());
    std::size_t bytes = 0;
    for (auto _ : state) {
        Typist typist(folder.lessonFile());
        for (int i = 0; i < 32767; ++i) {
            typist.commit(typist.expected());
        }
        bytes = typist.record().memoryBytes();
    }
    state.counters["record_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RecordOfAFullRun)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_StretchAfter)
    ->Arg(0)
    ->Arg(kRunLength - kStretch)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace keyloom::bench

BENCHMARK_MAIN();
