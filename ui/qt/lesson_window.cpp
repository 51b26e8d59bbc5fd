// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/lesson_window.h"

#include "forms/frm_lesson_design.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/window_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace keyloom {
namespace {

void fill(QComboBox& box, const std::vector<std::u16string>& items, std::size_t current) {
    for (const std::u16string& item : items) {
        box.addItem(toQString(item));
    }
    box.setCurrentIndex(static_cast<int>(current));
}

std::size_t indexOf(const QComboBox& box) {
    return static_cast<std::size_t>(std::max(0, box.currentIndex()));
}

} // namespace

LessonWindow::LessonWindow(LessonChoices choices, CourseStarter start, QWidget* parent)
    : QDialog(parent), choices_(std::move(choices)), start_(std::move(start)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const WindowDescription& design = frmLessonDesign();
    const BuiltWindow built = buildWindow(*this, design, {});
    setWindowTitle(toQString(lessonWindowCaption()));
    texts_ = built.find<QListWidget>("lstTexts");
    length_ = built.find<QComboBox>("cboLength");
    shuffle_ = built.find<QCheckBox>("chkShuffle");
    segment_ = built.find<QComboBox>("cboSegment");
    accuracy_ = built.find<QComboBox>("cboAccuracy");
    speed_ = built.find<QComboBox>("cboSpeed");
    problems_ = built.find<QLabel>("lblProblems");

    for (const std::u16string& item : choices_.textItems()) {
        texts_->addItem(toQString(item));
    }
    fill(*length_, LessonChoices::lengthItems(), LessonChoices::kDefaultLengthItem);
    fill(*accuracy_, LessonChoices::accuracyItems(), LessonChoices::kDefaultAccuracyItem);
    fill(*speed_, LessonChoices::speedItems(), 0);
    listProblems_ = toQString(choices_.problems());
    texts_->setCurrentRow(0);
    fillSegments();

    connect(texts_, &QListWidget::currentRowChanged, this, [this] { fillSegments(); });
    connect(length_, &QComboBox::currentIndexChanged, this, [this] { fillSegments(); });
    connect(shuffle_, &QCheckBox::toggled, this, [this] { fillSegments(); });
    connect(built.find<QPushButton>("cmdStart"), &QPushButton::clicked, this,
            &LessonWindow::cmdStart_Click);
    connect(built.find<QPushButton>("cmdClose"), &QPushButton::clicked, this, &QDialog::reject);
    // A caption's mnemonic moves to the control after it.
    for (const auto& [caption, control] :
         {std::pair{"lblTexts", "lstTexts"}, std::pair{"lblLength", "cboLength"},
          std::pair{"lblSegment", "cboSegment"}, std::pair{"lblAccuracy", "cboAccuracy"},
          std::pair{"lblSpeed", "cboSpeed"}}) {
        built.find<QLabel>(caption)->setTextFormat(Qt::AutoText);
        built.find<QLabel>(caption)->setText(toQString(findElement(design, caption)->caption));
        built.find<QLabel>(caption)->setBuddy(built.widget(control));
    }
    texts_->setFocus(Qt::OtherFocusReason);
}

LessonChoices::Chosen LessonWindow::chosen() const {
    return {.text = static_cast<std::size_t>(std::max(0, texts_->currentRow())),
            .length = indexOf(*length_),
            .shuffle = shuffle_->isChecked(),
            .segment = segment_->currentIndex() + 1,
            .accuracy = indexOf(*accuracy_),
            .speed = indexOf(*speed_)};
}

// The segments of the chosen text at the chosen length, the first chosen.
void LessonWindow::fillSegments() {
    shuffle_->setEnabled(choices_.shuffles(chosen().text));
    segment_->clear();
    QString problem;
    try {
        const int count = texts_->count() == 0 ? 0 : choices_.segmentCount(chosen());
        for (int i = 1; i <= count; ++i) {
            segment_->addItem(QStringLiteral("第 %1/%2 段").arg(i).arg(count));
        }
    } catch (const CourseError& error) {
        problem = QString::fromUtf8(error.what());
    }
    problems_->setText(problem.isEmpty() ? listProblems_ : problem);
}

void LessonWindow::cmdStart_Click() {
    try {
        const CourseOptions options = choices_.options(chosen());
        accept();
        start_(options);
    } catch (const CourseError& error) {
        problems_->setText(QString::fromUtf8(error.what()));
    }
}

void showLessonWindow(LessonChoices choices, const CourseStarter& start, QWidget* parent) {
    LessonWindow window(std::move(choices), start, parent);
    window.exec();
}

} // namespace keyloom
