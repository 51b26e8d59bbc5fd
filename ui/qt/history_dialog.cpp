// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/history_dialog.h"

#include "forms/frm_history_design.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/window_builder.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace keyloom {

HistoryDialog::HistoryDialog(std::optional<std::filesystem::path> folder, WallClock clock,
                             DrillStarter startDrill, QWidget* parent, CodesOf codesOf)
    : QDialog(parent), folder_(std::move(folder)), clock_(std::move(clock)),
      startDrill_(std::move(startDrill)), codesOf_(std::move(codesOf)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const BuiltWindow built =
        buildWindow(*this, frmHistoryDesign(), [this](const ElementDesign& e) -> QWidget* {
            if (e.name == "lstRuns") {
                runs_ = new QListWidget(this);
                // One line a run: no run is measured, however many there are.
                runs_->setUniformItemSizes(true);
                return runs_;
            }
            if (e.name == "picChart") {
                chart_ = new ChartView(
                    [this](int width, int height, int dpi) {
                        return progressChart(content_.days, width, height, dpi);
                    },
                    this);
                return chart_;
            }
            return nullptr;
        });
    setWindowTitle(toQString(historyCaption()));
    totals_ = built.find<QLabel>("lblTotals");
    weak_ = built.find<QLabel>("lblWeak");
    notice_ = built.find<QLabel>("lblNotice");
    delete_ = built.find<QPushButton>("cmdDelete");
    drill_ = built.find<QPushButton>("cmdDrill");
    // The totals and the weak characters can be selected and copied.
    for (QLabel* label : {totals_, weak_, notice_}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    connect(delete_, &QPushButton::clicked, this, &HistoryDialog::cmdDelete_Click);
    connect(drill_, &QPushButton::clicked, this, &HistoryDialog::cmdDrill_Click);
    auto* close = built.find<QPushButton>("cmdClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    runs_->installEventFilter(this);
    load();
    runs_->setFocus(Qt::OtherFocusReason);
}

void HistoryDialog::load() {
    content_ = loadHistory({}, clock_());
    QString problem;
    if (folder_) {
        try {
            const std::unique_ptr<JournalFiles> files = journalFiles(*folder_);
            content_ = loadHistory(Journal(*files, clock_).read(), clock_(), codesOf_);
        } catch (const JournalError& error) {
            problem = QStringLiteral("记录读不了：") + QString::fromUtf8(error.what());
        }
    }
    runs_->clear();
    for (const std::u16string& run : content_.runs) {
        runs_->addItem(toQString(run));
    }
    runs_->setCurrentRow(content_.runs.empty() ? -1 : 0);
    totals_->setText(toQString(content_.totals));
    weak_->setText(toQString(content_.weak));
    notice_->setText(problem.isEmpty() ? toQString(content_.notice) : problem);
    delete_->setEnabled(!content_.runs.empty());
    drill_->setEnabled(!content_.drill.empty() && startDrill_);
    chart_->update();
}

// Delete in the list deletes the selected run.
bool HistoryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == runs_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        cmdDelete_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryDialog::cmdDelete_Click() {
    const int row = runs_->currentRow();
    if (row < 0 || !folder_ || static_cast<std::size_t>(row) >= content_.runKeys.size()) {
        return;
    }
    const std::u16string question = deleteQuestion(content_.runs[static_cast<std::size_t>(row)]);
    if (QMessageBox::question(this, windowTitle(), toQString(question)) != QMessageBox::Yes) {
        return;
    }
    try {
        const std::unique_ptr<JournalFiles> files = journalFiles(*folder_);
        Journal(*files, clock_).remove(content_.runKeys[static_cast<std::size_t>(row)]);
    } catch (const JournalError& error) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("没有删除：") + QString::fromUtf8(error.what()));
    }
    load();
    runs_->setCurrentRow(std::min(row, runs_->count() - 1));
}

void HistoryDialog::cmdDrill_Click() const {
    if (startDrill_ && !content_.drill.empty()) {
        startDrill_(content_.drill);
    }
}

void showHistory(const std::optional<std::filesystem::path>& folder, const WallClock& clock,
                 const DrillStarter& startDrill, QWidget* parent, const CodesOf& codesOf) {
    HistoryDialog dialog(folder, clock, startDrill, parent, codesOf);
    dialog.exec();
}

} // namespace keyloom
