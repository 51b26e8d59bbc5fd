// One character through the whole program: an input-method commit of one
// character sent to the typing box on the offscreen platform, through the
// handlers and the widgets, and the window repainted before the clock stops.
// 20,000 commits through a long lesson, one in five wrong; prints the
// percentiles of the per-commit time, the same for the first and the last
// thousand commits and for the repaint alone, and the resident set before and
// after. An argument sets another number of commits.
#include "practice/lesson_file.h"
#include "tests/support/resident_set.h"
#include "ui/frm_main_design.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/qt/typing_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDefaultCommits = 20000;
constexpr std::size_t kStretch = 1000;
constexpr int kLessonChars = 40000;
constexpr int kWrongEvery = 5;

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    using namespace keyloom;
    const int commits = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultCommits;

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("txt"));
    QString lesson;
    for (int i = 0; i < kLessonChars; ++i) {
        lesson.append(QChar(0x4E00 + i % 20000));
    }
    QFile file(dir.filePath(QStringLiteral("txt/文档.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(lesson.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write the lesson\n");
        return 1;
    }
    file.close();

    MainControls controls = frmMainControls();
    const QtTextMeasure measure;
    FrmMain form(controls, measure);
    form.Form_Load(lessonPath(QFile::encodeName(dir.path()).toStdString()));
    int fatalErrors = 0;
    MainWindow window(form, controls, frmMainDesign(),
                      [&](const std::exception&) { ++fatalErrors; });
    // The clock plays no part in a keystroke.
    window.clockTimer()->stop();
    window.caretTimer()->stop();
    window.show();
    window.activateWindow();
    // Text reaches the box only while it has the focus.
    for (int i = 0; i < 100 && !window.typingBox()->hasFocus(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QApplication::processEvents();
    const long rssBefore = residentKiB();

    std::vector<double> micros;
    std::vector<double> paintMicros;
    micros.reserve(static_cast<std::size_t>(commits));
    paintMicros.reserve(static_cast<std::size_t>(commits));
    for (int i = 1; i <= commits; ++i) {
        const auto next = static_cast<qsizetype>(form.state().typedCount);
        QInputMethodEvent event;
        event.setCommitString(i % kWrongEvery == 0 ? QStringLiteral("?") : lesson.mid(next, 1));
        const auto start = Clock::now();
        QApplication::sendEvent(window.typingBox(), &event);
        const auto handled = Clock::now();
        window.repaint();
        const auto painted = Clock::now();
        micros.push_back(microsBetween(start, painted));
        paintMicros.push_back(microsBetween(handled, painted));
        QApplication::processEvents(); // what is left queued, outside the measure
    }
    const long rssAfter = residentKiB();

    if (form.state().typedCount != commits || fatalErrors != 0) {
        std::fprintf(stderr, "only %d of %d commits were scored\n", form.state().typedCount,
                     commits);
        return 1;
    }
    std::printf("commits=%d\n", commits);
    report("all", micros);
    const std::size_t stretch = std::min(kStretch, micros.size());
    report("first1000", {micros.begin(), micros.begin() + static_cast<long>(stretch)});
    report("last1000", {micros.end() - static_cast<long>(stretch), micros.end()});
    report("repaint", paintMicros);
    std::printf("rss_before_kib=%ld\nrss_after_kib=%ld\n", rssBefore, rssAfter);
    return 0;
}
