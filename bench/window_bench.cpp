// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One character through the whole program: an input-method commit of one
// character sent to the typing box on the offscreen platform, through the
// handlers and the widgets, and the window's pending repaint done before the
// clock stops. 20,000 commits through a long lesson, one in five wrong, each
// after three preedit-only events (pinyin keystrokes that commit nothing).
// The lesson is a GBK file of all 6,763 hanzi of GB 2312 in a shuffled order,
// over and over: every stretch of the run types the same mix of characters,
// the first pass brings a glyph the font caches have never held at nearly
// every character, and what is left between the keys is the program's idle
// time, as when a person types.
// Prints the percentiles of the per-commit time over the run (in wall and in
// processor time), over the first
// and the last thousand commits, and of the preedit-only events, how many of
// those repainted anything, the pixels a caret blink and a clock tick
// repaint, and the resident set before, halfway and after. An argument sets another
// number of commits.
#include "tests/support/qt/qt_program.h"
#include "tests/support/resident_set.h"
#include "ui/code_hints.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kDefaultCommits = 20000;
constexpr std::size_t kStretch = 1000;
constexpr int kLessonChars = 40000;
constexpr int kWrongEvery = 5;
constexpr int kBlinks = 10;
constexpr unsigned kShuffleSeed = 2026;

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[at];
}

void report(const char* name, const std::vector<double>& micros) {
    std::printf("%s_p50_us=%.1f\n%s_p99_us=%.1f\n", name, percentile(micros, 0.50), name,
                percentile(micros, 0.99));
}

using Clock = std::chrono::steady_clock;
double microsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::micro>(b - a).count();
}

// Counts the paint events of every widget and the pixels they cover.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<long>(r.width()) * r.height();
            }
        }
        return QObject::eventFilter(watched, event);
    }
    void reset() { paints = pixels = 0; }
    long paints = 0;
    long pixels = 0;
};

// The hanzi of GB 2312 (rows 16 to 87 of 94 cells, the last five cells of row
// 55 empty) in GBK bytes, shuffled once and repeated to kLessonChars.
QByteArray gb2312Lesson() {
    std::vector<std::array<char, 2>> hanzi;
    for (int row = 0xB0; row <= 0xF7; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            if (row != 0xD7 || cell <= 0xF9) {
                hanzi.push_back({static_cast<char>(row), static_cast<char>(cell)});
            }
        }
    }
    std::shuffle(hanzi.begin(), hanzi.end(), std::mt19937(kShuffleSeed));
    QByteArray bytes;
    for (int i = 0; i < kLessonChars; ++i) {
        const auto& code = hanzi[static_cast<std::size_t>(i) % hanzi.size()];
        bytes.append(code.data(), 2);
    }
    return bytes;
}

double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The repaints the event left pending, done now.
void repaintPending(QWidget& window) {
    QApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    using namespace keyloom;
    const int commits = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultCommits;

    // The clock plays no part in a keystroke; its ticks are sent by hand.
    test::QtProgram program(gb2312Lesson(), {.timers = false});
    const FrmMain& form = program.form;
    MainWindow& window = *program.window;
    const std::u16string& lesson = form.state().lessonText;
    // With a code table named in KEYLOOM_BENCH_HINT_TABLE, the hint is on
    // and follows every commit.
    const char* hintTable = std::getenv("KEYLOOM_BENCH_HINT_TABLE");
    std::optional<CodeHints> hints;
    if (hintTable != nullptr) {
        const std::filesystem::path file(hintTable);
        hints.emplace([file] { return std::vector<TableFile>{{"bench", file}}; }, lesson);
        hints->choose("bench");
        while (hints->table() == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        window.setCodeHints(&*hints);
    }
    QApplication::processEvents();
    PaintCounter counter;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        widget->installEventFilter(&counter);
    }
    window.installEventFilter(&counter);
    const long rssBefore = residentKiB();

    const std::array<QString, 3> pinyin{QStringLiteral("z"), QStringLiteral("zh"),
                                        QStringLiteral("zho")};
    std::vector<double> micros;
    std::vector<double> preeditMicros;
    // The same in this thread's processor time, which other work on the host leaves as it is.
    std::vector<double> cpuMicros;
    micros.reserve(static_cast<std::size_t>(commits));
    cpuMicros.reserve(static_cast<std::size_t>(commits));
    preeditMicros.reserve(pinyin.size() * static_cast<std::size_t>(commits));
    long preeditRepaints = 0;
    long rssHalfway = 0;
    for (int i = 1; i <= commits; ++i) {
        for (const QString& keystroke : pinyin) {
            QInputMethodEvent preedit(keystroke, {});
            counter.reset();
            const auto start = Clock::now();
            QApplication::sendEvent(window.typingBox(), &preedit);
            repaintPending(window);
            preeditMicros.push_back(microsBetween(start, Clock::now()));
            preeditRepaints += counter.paints > 0 ? 1 : 0;
        }
        const auto next = static_cast<qsizetype>(form.state().typedCount);
        QInputMethodEvent event;
        event.setCommitString(i % kWrongEvery == 0 || next >= std::ssize(lesson)
                                  ? QStringLiteral("?")
                                  : QString(QChar(lesson[static_cast<std::size_t>(next)])));
        const auto start = Clock::now();
        const double startCpu = threadCpuMicros();
        QApplication::sendEvent(window.typingBox(), &event);
        repaintPending(window);
        micros.push_back(microsBetween(start, Clock::now()));
        cpuMicros.push_back(threadCpuMicros() - startCpu);
        QApplication::processEvents(); // what is left queued, outside the measure
        if (i == commits / 2) {
            rssHalfway = residentKiB();
        }
    }
    const long rssAfter = residentKiB();

    // What a caret blink and a clock tick repaint, pixels a tick.
    counter.reset();
    for (int i = 0; i < kBlinks; ++i) {
        window.caretTimer()->timeout({});
        repaintPending(window);
    }
    const long blinkPixels = counter.pixels / kBlinks;
    counter.reset();
    window.clockTimer()->timeout({});
    repaintPending(window);
    const long tickPixels = counter.pixels;

    if (form.state().typedCount != commits || program.fatalErrors != 0) {
        std::fprintf(stderr, "only %d of %d commits were scored\n", form.state().typedCount,
                     commits);
        return 1;
    }
    std::printf("commits=%d\n", commits);
    report("all", micros);
    report("allcpu", cpuMicros);
    const std::size_t stretch = std::min(kStretch, micros.size());
    report("first1000", {micros.begin(), micros.begin() + static_cast<long>(stretch)});
    report("last1000", {micros.end() - static_cast<long>(stretch), micros.end()});
    report("preedit", preeditMicros);
    std::printf("preedit_events=%zu\npreedit_repainted=%ld\n", preeditMicros.size(),
                preeditRepaints);
    std::printf("blink_painted_px=%ld\ntick_painted_px=%ld\nwindow_px=%d\n", blinkPixels,
                tickPixels, window.width() * window.height());
    std::printf("rss_before_kib=%ld\nrss_halfway_kib=%ld\nrss_after_kib=%ld\n", rssBefore,
                rssHalfway, rssAfter);
    return 0;
}
