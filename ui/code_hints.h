// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codes/code_table.h"
#include "codes/ideal_split.h"
#include "codes/table_files.h"
#include "forms/controls.h"
#include "practice/frm_report.h"
#include "practice/main_controls.h"
#include "practice/practice_state.h"

#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

// What the hint shows: the chosen table's name, which stands still, and the
// best way on from the caret ("的 r · rqyy") or a word about the table,
// which follow the caret.
struct CodeHintLine {
    std::u16string table;
    std::u16string hint;
    bool operator==(const CodeHintLine&) const = default;
};

// The code hint's choice and its table: F6 goes 无提示 → each table → 无提示.
// A table is read, and the lesson split over it, on a thread of its own, so
// that typing never waits for it; until it is ready the hint shows the
// table's name only.
class CodeHints {
  public:
    // `tables` lists the tables when first needed: nothing is read while
    // the hint is off.
    CodeHints(std::function<std::vector<TableFile>()> tables, std::u16string lesson);
    ~CodeHints();
    CodeHints(const CodeHints&) = delete;
    CodeHints& operator=(const CodeHints&) = delete;
    CodeHints(CodeHints&&) = delete;
    CodeHints& operator=(CodeHints&&) = delete;

    // --hint TABLE; false when there is no such table, and then no hint,
    // the line telling so until F6 moves on.
    bool choose(std::string_view name);
    // F6: the next choice.
    void next();
    // The table of the active input method, named as its framework names it,
    // while nothing else was chosen (--hint and F6 win) and that table is
    // there; false when none is chosen.
    bool chooseForInputMethod(std::string_view inputMethod);

    // The chosen table's name; "无提示" when none was chosen by F6, empty
    // before any choice.
    [[nodiscard]] const std::string& choiceName() const { return choiceName_; }
    // The options that give a new run this choice: "--hint TABLE", or none.
    [[nodiscard]] std::vector<std::string> carriedOptions() const;

    // What the report adds with the chosen table: the ideal code length of
    // the first `typed` characters and each character's codes; none while no
    // table is ready.
    [[nodiscard]] std::optional<ReportCodes> reportCodes(std::size_t typed);

    // The ready table, or nullptr.
    [[nodiscard]] const CodeTable* table();
    // A character's codes in the ready table; none while no table is ready.
    [[nodiscard]] CodesOf codesOf();
    // The hint for the caret before character `typed` of the lesson; empty
    // when no table was ever chosen.
    [[nodiscard]] const CodeHintLine& line(std::size_t typed);

  private:
    struct Loaded {
        std::unique_ptr<CodeTable> table;
        std::unique_ptr<IdealSplit> split;
        std::string notice;
    };
    [[nodiscard]] CodeHintLine lineFor(std::size_t typed) const;
    void start(std::size_t choice);
    void collect();
    const std::vector<TableFile>& tables();

    std::function<std::vector<TableFile>()> listTables_;
    std::optional<std::vector<TableFile>> tables_;
    std::u16string lesson_;
    // 0: none; i: tables_[i - 1].
    std::size_t choice_ = 0;
    std::string choiceName_;
    std::future<Loaded> loading_;
    Loaded loaded_;
    // The notice of a table read with skipped lines, told until F6 moves on.
    std::string notice_;
    // The lesson's units before each character, and at its end.
    std::vector<std::size_t> unitOf_;
    // The last line given, for `lineTyped_` characters typed; kNoLine once
    // the choice or its table changed.
    static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
    CodeHintLine line_;
    std::size_t lineTyped_ = kNoLine;
};

// The hint's labels' names in the main window's design.
inline constexpr std::string_view kCodeHintLabel = "lblHint";
inline constexpr std::string_view kCodeHintTableLabel = "lblHintTable";

// Shows `line` in the window's labels `lblHintTable` and `lblHint`, in the
// strip between the panes, where they never cover a lesson character, a
// mark or the caret; PaneStrip then places the table's name at the strip's
// left end and the hint at the next lesson character's column.
void showCodeHint(MainControls& controls, const CodeHintLine& line, const TextMeasure& measure);

} // namespace keyloom
