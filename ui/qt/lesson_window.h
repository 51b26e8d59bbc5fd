// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "course/lesson_choices.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace keyloom {

// Starts the chosen course in a new run in the main window's place.
using CourseStarter = std::function<void(const CourseOptions& options)>;

// The lesson window, built from its design: the texts, the segment length,
// 乱序, the segment to start from and the target; "开始" (Enter) starts the
// course and closes the window, "关闭" (Esc) only closes it. A choice that
// cannot start says why in the window, which stays.
class LessonWindow : public QDialog {
    Q_OBJECT

  public:
    LessonWindow(LessonChoices choices, CourseStarter start, QWidget* parent);

  private:
    [[nodiscard]] LessonChoices::Chosen chosen() const;
    void fillSegments();
    void cmdStart_Click();

    LessonChoices choices_;
    CourseStarter start_;
    QListWidget* texts_ = nullptr;
    QComboBox* length_ = nullptr;
    QCheckBox* shuffle_ = nullptr;
    QComboBox* segment_ = nullptr;
    QComboBox* accuracy_ = nullptr;
    QComboBox* speed_ = nullptr;
    QLabel* problems_ = nullptr;
    QString listProblems_;
};

// Opens the lesson window modal over `parent` and returns when it closes.
void showLessonWindow(LessonChoices choices, const CourseStarter& start, QWidget* parent);

} // namespace keyloom
