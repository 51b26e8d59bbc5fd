// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/report_journal.h"

#include "practice/run_figures.h"
#include "text/utf8_text.h"

#include <utility>

namespace keyloom {
namespace {

constexpr std::u16string_view kSave = u"记入成绩(&S)";
constexpr std::u16string_view kSaved = u"已记入(&S)";
constexpr std::u16string_view kNoFolder =
    u"找不到保存成绩的文件夹：没有设置 HOME（Windows 上是 APPDATA）。";

std::u16string fromBytes(std::string_view bytes) {
    std::u16string text = fromUtf8(bytes);
    return text.empty() && !bytes.empty() ? u"?" : text;
}

} // namespace

ReportJournal::ReportJournal(std::u16string textName, std::optional<std::filesystem::path> folder,
                             WallClock clock)
    : textName_(std::move(textName)), folder_(std::move(folder)), clock_(std::move(clock)) {}

std::u16string ReportJournal::folderText() const {
    if (!folder_) {
        return {};
    }
    const std::u8string path = folder_->u8string();
    return fromBytes(std::string_view(reinterpret_cast<const char*>(path.data()), path.size()));
}

JournalEntry ReportJournal::entryOf(const RunRecord& record) const {
    return journalEntry(record, computeFigures(record), textName_);
}

ReportJournal::SaveButton ReportJournal::saveButton(const RunRecord& record) const {
    if (!folder_) {
        return {std::u16string(kSave), std::u16string(kNoFolder), true};
    }
    if (saving_.isSaved(entryOf(record))) {
        return {std::u16string(kSaved), u"这次练习已记入 " + folderText(), false};
    }
    return {std::u16string(kSave), u"把这次练习的成绩记入 " + folderText(), true};
}

std::u16string ReportJournal::save(const RunRecord& record) {
    if (!folder_) {
        return std::u16string(kNoFolder);
    }
    try {
        const std::unique_ptr<JournalFiles> files = journalFiles(*folder_);
        Journal journal(*files, clock_);
        saving_.save(journal, entryOf(record), clock_(), currentProcessId());
        return {};
    } catch (const std::exception& error) {
        return u"成绩没有记入：" + fromBytes(error.what()) +
               u"\n\n这次练习的成绩仍在成绩窗口里，可以复制。";
    }
}

} // namespace keyloom
