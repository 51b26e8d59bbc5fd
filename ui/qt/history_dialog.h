// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journal.h"
#include "practice/frm_report.h"
#include "ui/history.h"

#include <QDialog>
#include <filesystem>
#include <optional>

class QListWidget;
class QLabel;
class QPushButton;

namespace keyloom {

// The history of saved runs (F7), built from its design: the runs newest
// first (Delete, or "删除(&X)", removes the selected one after asking), a
// chart of each day's speed and accuracy, today's and all-time totals, the
// weak characters and "练习弱字(&D)". It reads the journal when it opens and
// after a deletion, never before.
class HistoryDialog : public QDialog {
    Q_OBJECT

  public:
    // `codesOf`: the table chosen for hints, or none.
    HistoryDialog(std::optional<std::filesystem::path> folder, WallClock clock,
                  DrillStarter startDrill, QWidget* parent, CodesOf codesOf = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void load();
    void cmdDelete_Click();
    void cmdDrill_Click() const;

    std::optional<std::filesystem::path> folder_;
    WallClock clock_;
    DrillStarter startDrill_;
    CodesOf codesOf_;
    HistoryContent content_;
    QListWidget* runs_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* weak_ = nullptr;
    QLabel* notice_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* drill_ = nullptr;
    QWidget* chart_ = nullptr;
};

// Opens the history modal over `parent` and returns when it closes.
void showHistory(const std::optional<std::filesystem::path>& folder, const WallClock& clock,
                 const DrillStarter& startDrill, QWidget* parent, const CodesOf& codesOf = {});

} // namespace keyloom
