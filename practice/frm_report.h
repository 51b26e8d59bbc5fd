// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/run_figures.h"

#include <functional>
#include <string>
#include <vector>

namespace keyloom {

// What the report window shows of the run so far, in both front ends.
struct ReportContent {
    std::u16string caption{};
    std::u16string figures{}; // one "name  value" line a figure
    std::u16string wrong{};
    std::u16string slowest{};
    std::vector<double> rowSpeeds{};
    std::u16string resultLine{}; // what "复制成绩(&C)" copies
    std::u16string drill{};      // the drill's lesson; empty: nothing to practise
    std::u16string drillTip{};   // why the drill button is disabled, or empty
};

// Starts a new Keyloom window whose lesson is the drill, keeping this one.
using DrillStarter = std::function<void(const std::u16string& lesson)>;

// What the code table chosen for hints adds to the report.
struct ReportCodes {
    // The ideal code length of the lesson typed so far, "1.76", and the table's name.
    std::u16string idealCodeLength;
    std::u16string tableName;
    CodesOf codesOf;
};

// The report's load step: its content from the run's record, with `codes`
// the ideal code length beside 码长 and the codes of each wrong or slow
// character. The one-line result is the same with or without.
ReportContent loadReport(const RunRecord& record, const ReportCodes* codes = nullptr);

} // namespace keyloom
