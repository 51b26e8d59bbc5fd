// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/report_dialog.h"

#include "forms/frm_report_design.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/window_builder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace keyloom {
namespace {

constexpr int kChartMargin = 4;
const QColor kBarColour(0x00, 0xC0, 0x00);

} // namespace

RowChart::RowChart(std::vector<double> rowSpeeds, QWidget* parent)
    : QWidget(parent), speeds_(std::move(rowSpeeds)) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
}

// Bars side by side across the width, the fastest row full height; its
// speed is written in the top left corner.
void RowChart::paintEvent(QPaintEvent* /*event*/) {
    if (speeds_.empty()) {
        return;
    }
    QPainter painter(this);
    const double fastest = *std::ranges::max_element(speeds_);
    const QRectF area = QRectF(rect()).adjusted(kChartMargin, kChartMargin, -kChartMargin, 0);
    const double barWidth = area.width() / static_cast<double>(speeds_.size());
    for (std::size_t i = 0; i < speeds_.size(); ++i) {
        const double height = fastest > 0 ? area.height() * speeds_[i] / fastest : 0;
        const double left = area.left() + barWidth * static_cast<double>(i);
        painter.fillRect(QRectF(left, area.bottom() - height, std::max(1.0, barWidth - 1), height),
                         kBarColour);
    }
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(kChartMargin, kChartMargin, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop, QString::number(qRound(fastest)));
}

ReportDialog::ReportDialog(const RunRecord& record, DrillStarter startDrill, QWidget* parent,
                           const ReportCodes* codes)
    : QDialog(parent), content_(loadReport(record, codes)), startDrill_(std::move(startDrill)) {
    const WindowDescription& design = frmReportDesign();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const BuiltWindow built = buildWindow(*this, design, [this](const ElementDesign& e) {
        return e.name == "picChart" ? new RowChart(content_.rowSpeeds, this) : nullptr;
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

void ReportDialog::reject() {
    accept();
}

void showReport(const RunRecord& record, const DrillStarter& startDrill, QWidget* parent,
                const ReportCodes* codes) {
    ReportDialog dialog(record, startDrill, parent, codes);
    dialog.exec();
}

} // namespace keyloom
