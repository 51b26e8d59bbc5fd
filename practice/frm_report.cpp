// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/frm_report.h"

#include "forms/frm_report_design.h"

namespace keyloom {
namespace {

// The wrong characters shown; the last line counts the rest.
constexpr std::size_t kWrongLinesShown = 10;

} // namespace

ReportContent loadReport(const RunRecord& record) {
    const RunFigures figures = computeFigures(record);
    ReportContent content{.caption = reportCaption(),
                          .wrong = wrongCharactersText(figures, kWrongLinesShown),
                          .slowest = slowestText(figures),
                          .rowSpeeds = figures.rowSpeeds,
                          .resultLine = resultLine(figures, resultLineProgramName()),
                          .drill = figures.drill};
    for (const FigureText& figure : figureTexts(figures)) {
        if (!content.figures.empty()) {
            content.figures += u'\n';
        }
        content.figures += figure.name + u"  " + figure.value;
    }
    // Only a lesson character can be drilled; what was typed past the
    // lesson's end is wrong (and may be slow) with nothing to drill.
    if (content.drill.empty() && figures.wrong > 0) {
        content.drillTip = u"错字都在课文之后（文末），没有课文里的字可练";
    } else if (content.drill.empty()) {
        content.drillTip = u"没有打错或打得慢的字，无需练习";
    }
    return content;
}

} // namespace keyloom
