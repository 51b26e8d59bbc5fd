// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// From F5 to the lesson window drawn with a thousand texts of the user's own
// beside the six sets: the library read (each text counted), the window
// built, shown and painted. Prints the median of nine as lesson_window_ms=...
#include "ui/qt/lesson_window.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kUserTexts = 1000;
constexpr int kRuns = 9;

// Writes `count` characters from 一 on, one a line or all on one line.
void writeText(const fs::path& file, int count, bool lines) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        text += static_cast<char16_t>(u'一' + i % 3000);
        if (lines) {
            text += u'\n';
        }
    }
    std::ofstream(file, std::ios::binary) << QString::fromStdU16String(text).toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    using namespace keyloom;
    const fs::path root =
        fs::temp_directory_path() / ("keyloom-bench-" + std::to_string(std::random_device()()));
    const LibraryPlaces places{.sets = root / "lessons",
                               .userTexts = root / "txt",
                               .bundledLesson = root / "文档.txt"};
    fs::create_directories(places.sets);
    fs::create_directories(places.userTexts);
    for (const std::u16string_view name : kSetNames) {
        writeText(places.sets / (QString::fromStdU16String(std::u16string(name)).toStdString() +
                                 ".txt"),
                  name.ends_with(u"3500") ? 2000 : 500, true);
    }
    writeText(places.bundledLesson, 2000, false);
    for (int i = 0; i < kUserTexts; ++i) {
        writeText(places.userTexts / ("文章" + std::to_string(i) + ".txt"), 600, false);
    }

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        LessonWindow window(LessonChoices(readLibrary(places), 1), {}, nullptr);
        window.show();
        const QPixmap drawn = window.grab();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (drawn.isNull()) {
            return 1;
        }
    }
    fs::remove_all(root);
    std::ranges::sort(times);
    std::printf("lesson_window_ms=%.1f\n", times[kRuns / 2]);
    return 0;
}
