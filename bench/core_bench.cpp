// The core cost of one scored character: a 20,000-character run through a
// lesson longer than can ever be shown, straight through FrmMain without a
// toolkit. Every 16th character is taken back and typed again, and one in
// five is wrong, so ring advances, mark creation and destruction, the
// accuracy and the Backspace path all take their share.
#include "practice/frm_main.h"
#include "practice/lesson_file.h"
#include "tests/support/fixed_measure.h"
#include "ui/frm_main_design.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace keyloom::bench {
namespace {

constexpr int kRunLength = 20000;
constexpr int kLessonChars = 40000;
constexpr int kBackspaceEvery = 16;
constexpr int kWrongEvery = 5;

// A lesson folder beside nothing, removed with the benchmark.
class LessonFolder {
  public:
    LessonFolder() {
        dir_ = std::filesystem::temp_directory_path() /
               ("keyloom-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "txt");
        std::ofstream out(lessonPath(dir_), std::ios::binary);
        for (int i = 0; i < kLessonChars; ++i) {
            // U+4E00 onwards, three bytes each in UTF-8.
            const char32_t cp = 0x4E00 + static_cast<char32_t>(i % 20000);
            out << static_cast<char>(0xE0 | (cp >> 12))
                << static_cast<char>(0x80 | ((cp >> 6) & 0x3F))
                << static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    ~LessonFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    LessonFolder(const LessonFolder&) = delete;
    LessonFolder& operator=(const LessonFolder&) = delete;

    [[nodiscard]] std::filesystem::path lessonFile() const { return lessonPath(dir_); }

  private:
    std::filesystem::path dir_;
};

// The typing box as the toolkit drives it: an input-method commit is a
// key-down 229, the character appended, the caret at the end, a change.
class Typist {
  public:
    explicit Typist(const std::filesystem::path& lesson) { form_.Form_Load(lesson); }

    void commit(char16_t ch) {
        form_.txtType_KeyDown(kKeyProcessedByIme, 0);
        controls_.txtType.text.push_back(ch);
        controls_.txtType.selStart = static_cast<long long>(controls_.txtType.text.size());
        form_.txtType_Change();
    }

    void backspace() {
        form_.txtType_KeyDown(kKeyBack, 0);
        if (!controls_.txtType.locked && !controls_.txtType.text.empty()) {
            controls_.txtType.text.pop_back();
            controls_.txtType.selStart = static_cast<long long>(controls_.txtType.text.size());
            form_.txtType_Change();
        }
    }

    [[nodiscard]] char16_t expected() const {
        return form_.state().lessonText[static_cast<std::size_t>(form_.state().typedCount)];
    }
    [[nodiscard]] Counter typedCount() const { return form_.state().typedCount; }

  private:
    FixedMeasure measure_;
    MainControls controls_ = frmMainControls();
    FrmMain form_{controls_, measure_};
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
    const LessonFolder folder;
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
    const LessonFolder folder;
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
BENCHMARK(BM_StretchAfter)
    ->Arg(0)
    ->Arg(kRunLength - kStretch)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace keyloom::bench

BENCHMARK_MAIN();
