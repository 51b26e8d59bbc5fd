// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/code_hints.h"

#include "codes/code_hint.h"
#include "codes/input_method_table.h"
#include "text/code_points.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace keyloom {
namespace {

constexpr std::string_view kNoHint = "无提示";

} // namespace

CodeHints::CodeHints(std::function<std::vector<TableFile>()> tables, std::u16string lesson)
    : listTables_(std::move(tables)), lesson_(std::move(lesson)) {}

CodeHints::~CodeHints() {
    // A table still being read is waited for: its thread reads our lesson.
    if (loading_.valid()) {
        loading_.wait();
    }
}

const std::vector<TableFile>& CodeHints::tables() {
    if (!tables_) {
        tables_ = listTables_();
    }
    return *tables_;
}

bool CodeHints::choose(std::string_view name) {
    const TableFile* const table = findTable(tables(), name);
    if (table == nullptr) {
        // A table handed on from the run before may have gone since: the
        // run goes on without a hint, and the hint's place says why.
        start(0);
        notice_ = "没有码表“" + std::string(name) + "”";
        return false;
    }
    start(static_cast<std::size_t>(table - tables().data()) + 1);
    return true;
}

void CodeHints::next() {
    start((choice_ + 1) % (tables().size() + 1));
}

bool CodeHints::chooseForInputMethod(std::string_view inputMethod) {
    if (!choiceName_.empty()) {
        return false;
    }
    const std::string_view name = tableForInputMethod(inputMethod);
    const TableFile* const table = name.empty() ? nullptr : findTable(tables(), name);
    std::error_code error;
    if (table == nullptr || !std::filesystem::is_regular_file(table->file, error)) {
        return false;
    }
    start(static_cast<std::size_t>(table - tables().data()) + 1);
    return true;
}

void CodeHints::start(std::size_t choice) {
    // The table of the choice left is no longer wanted: once read, it goes.
    if (loading_.valid()) {
        loading_.wait();
        loading_ = {};
    }
    choice_ = choice;
    loaded_ = {};
    notice_.clear();
    lineTyped_ = kNoLine;
    if (choice == 0) {
        choiceName_ = kNoHint;
        return;
    }
    const TableFile& file = tables()[choice - 1];
    choiceName_ = file.name;
    loading_ = std::async(std::launch::async, [file, this] {
        TableReading reading = readCodeTableFile(file.file);
        Loaded loaded;
        loaded.notice = readingNotice(file.name, reading);
        if (reading.table) {
            loaded.table = std::make_unique<CodeTable>(std::move(*reading.table));
            loaded.split = std::make_unique<IdealSplit>(*loaded.table, lesson_);
        }
        return loaded;
    });
}

void CodeHints::collect() {
    if (!loading_.valid() ||
        loading_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return;
    }
    loaded_ = loading_.get();
    notice_ = loaded_.notice;
    lineTyped_ = kNoLine;
    if (unitOf_.empty()) {
        for (std::size_t unit = 0; unit < lesson_.size();) {
            unitOf_.push_back(unit);
            unit += std::max<std::size_t>(
                1, unitsOfFirst(std::u16string_view(lesson_).substr(unit), 1));
        }
        unitOf_.push_back(lesson_.size());
    }
}

std::vector<std::string> CodeHints::carriedOptions() const {
    if (choice_ == 0) {
        return {};
    }
    return {"--hint", choiceName_};
}

std::optional<ReportCodes> CodeHints::reportCodes(std::size_t typed) {
    collect();
    if (!loaded_.table) {
        return std::nullopt;
    }
    const std::size_t units = unitOf_[std::min(typed, unitOf_.size() - 1)];
    const IdealSplit typedSoFar(*loaded_.table, std::u16string_view(lesson_).substr(0, units));
    return ReportCodes{.idealCodeLength = fromUtf8(idealCodeLengthText(typedSoFar.totals())),
                       .tableName = fromUtf8(choiceName_),
                       .codesOf = codesOf()};
}

CodesOf CodeHints::codesOf() {
    collect();
    const CodeTable* table = loaded_.table.get();
    if (table == nullptr) {
        return {};
    }
    return [table](char32_t character) {
        std::u16string text;
        if (character >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10U));
            text += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FFU));
        } else {
            text += static_cast<char16_t>(character);
        }
        return fromUtf8(keyloom::codesOf(*table, text));
    };
}

const CodeTable* CodeHints::table() {
    collect();
    return loaded_.table.get();
}

const CodeHintLine& CodeHints::line(std::size_t typed) {
    collect();
    // Preedit events and clock ticks ask again with nothing changed.
    if (typed == lineTyped_) {
        return line_;
    }
    lineTyped_ = typed;
    line_ = lineFor(typed);
    return line_;
}

CodeHintLine CodeHints::lineFor(std::size_t typed) const {
    if (choiceName_.empty()) {
        return {};
    }
    CodeHintLine shown{.table = fromUtf8(choiceName_), .hint = {}};
    if (!notice_.empty()) {
        shown.hint = fromUtf8(notice_);
    } else if (loaded_.split && typed < unitOf_.size()) {
        shown.hint = fromUtf8(codeHint(*loaded_.table, *loaded_.split, lesson_, unitOf_[typed]));
    }
    return shown;
}

void showCodeHint(MainControls& controls, const CodeHintLine& line, const TextMeasure& measure) {
    const auto show = [&](std::string_view name, std::u16string_view caption) {
        const auto found = controls.otherLabels.find(name);
        if (found == controls.otherLabels.end()) {
            return;
        }
        Label& label = found->second;
        if (label.caption != caption) {
            label.caption = caption;
            label.width = measure.width(caption, label.font);
        }
        label.visible = !caption.empty();
    };
    show(kCodeHintTableLabel, line.table);
    show(kCodeHintLabel, line.hint);
}

} // namespace keyloom
