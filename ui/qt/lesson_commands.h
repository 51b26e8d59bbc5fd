// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/new_lesson.h"
#include "ui/qt/new_run_starter.h"

#include <filesystem>
#include <optional>

class QMimeData;
class QWidget;

namespace keyloom {

// The main window's ways to a new run: F3 (the same text), F4 (the
// clipboard), Ctrl+O (a file dialog) and a dropped file. Each gets its text,
// has it checked, and either starts the new run in this window's place or
// tells in a message box over the window why not; the run goes on then.
class LessonCommands {
  public:
    LessonCommands(QWidget& window, const PracticeState& state, NewRunStarter start);

    void run(LessonCommand command);

    // The first local file a drag carries, its name's bytes kept.
    static std::optional<std::filesystem::path> droppedFile(const QMimeData& data);
    void open(const std::filesystem::path& file);

  private:
    [[nodiscard]] NewLessonActions actions() const;
    void chooseFile();

    QWidget& window_;
    const PracticeState& state_;
    NewRunStarter start_;
};

} // namespace keyloom
