// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/report_dialog.h"

#include "forms/frm_report_design.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/window_builder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace keyloom {
ReportDialog::ReportDialog(const RunRecord& record, DrillStarter startDrill, ReportJournal* journal,
                           QWidget* parent, const ReportCodes* codes)
    : QDialog(parent), record_(record), content_(loadReport(record, codes)),
      startDrill_(std::move(startDrill)), journal_(journal) {
    const WindowDescription& design = frmReportDesign();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const BuiltWindow built = buildWindow(*this, design, [this](const ElementDesign& e) {
        if (e.name != "picChart") {
            return static_cast<QWidget*>(nullptr);
        }
        return static_cast<QWidget*>(new ChartView(
            [this](int width, int height, int dpi) {
                return rowSpeedChart(content_.rowSpeeds, width, height, dpi);
            },
            this));
    });
    setWindowTitle(toQString(content_.caption));
    // The lists can be selected and copied, as any text the user reads.
    for (const auto& [name, text] :
         {std::pair{"lblFigures", &content_.figures}, std::pair{"lblWrong", &content_.wrong},
          std::pair{"lblSlow", &content_.slowest}}) {
        auto* label = built.find<QLabel>(name);
        label->setText(toQString(*text));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* copy = built.find<QPushButton>("cmdCopy");
    connect(copy, &QPushButton::clicked, this, &ReportDialog::cmdCopy_Click);
    auto* drill = built.find<QPushButton>("cmdDrill");
    connect(drill, &QPushButton::clicked, this, &ReportDialog::cmdDrill_Click);
    drill->setEnabled(!content_.drill.empty() && startDrill_);
    drill->setToolTip(toQString(content_.drillTip));
    save_ = built.find<QPushButton>("cmdSave");
    connect(save_, &QPushButton::clicked, this, &ReportDialog::cmdSave_Click);
    save_->setVisible(journal_ != nullptr);
    showSaveButton();
    auto* ok = built.find<QPushButton>("cmdOK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus(Qt::OtherFocusReason);
}

void ReportDialog::cmdCopy_Click() const {
    const QString line = toQString(content_.resultLine);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(line, QClipboard::Clipboard);
    if (clipboard->supportsSelection()) {
        clipboard->setText(line, QClipboard::Selection);
    }
}

void ReportDialog::cmdDrill_Click() const {
    if (startDrill_ && !content_.drill.empty()) {
        startDrill_(content_.drill);
    }
}

void ReportDialog::showSaveButton() {
    if (journal_ == nullptr) {
        return;
    }
    const ReportJournal::SaveButton button = journal_->saveButton(record_);
    save_->setText(toQString(button.caption));
    save_->setToolTip(toQString(button.tip));
    save_->setEnabled(button.enabled);
}

void ReportDialog::cmdSave_Click() {
    if (journal_ == nullptr) {
        return;
    }
    const std::u16string problem = journal_->save(record_);
    if (!problem.empty()) {
        QMessageBox::warning(this, windowTitle(), toQString(problem));
    }
    showSaveButton();
}

void ReportDialog::reject() {
    accept();
}

void showReport(const RunRecord& record, const DrillStarter& startDrill, ReportJournal* journal,
                QWidget* parent, const ReportCodes* codes) {
    ReportDialog dialog(record, startDrill, journal, parent, codes);
    dialog.exec();
}

} // namespace keyloom
