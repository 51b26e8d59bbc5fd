// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ideal_command.h"

#include "codes/ideal_split.h"
#include "practice/command_line.h"
#include "text/utf8_text.h"

namespace keyloom {
namespace {

void print(std::FILE* to, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), to);
    std::fputc('\n', to);
}

} // namespace

std::string unknownTableMessage(const std::vector<TableFile>& tables, std::string_view name) {
    std::string names;
    for (const TableFile& known : tables) {
        names += (names.empty() ? "" : " ") + known.name;
    }
    return "keyloom: no code table \"" + std::string(name) + "\"; the tables: " + names;
}

int printIdealSplit(const std::vector<TableFile>& tables, std::string_view tableName,
                    const std::u16string& text, std::FILE* out, std::FILE* err) {
    const TableFile* const table = findTable(tables, tableName);
    if (table == nullptr) {
        print(err, unknownTableMessage(tables, tableName));
        return kExitOnUsageError;
    }
    const TableReading reading = readCodeTableFile(table->file);
    const std::string notice = readingNotice(table->name, reading);
    if (!notice.empty()) {
        print(err, "keyloom: " + notice);
    }
    if (!reading.table) {
        return kExitOnFileError;
    }
    const IdealSplit split(*reading.table, text);
    for (const SplitPiece& piece : split.pieces()) {
        print(out, toUtf8(std::u16string_view(text).substr(piece.begin, piece.units)) + "\t" +
                       std::string(piece.code) + "\t" + std::to_string(piece.cost));
    }
    print(out, idealSummary(split.totals()));
    return 0;
}

} // namespace keyloom
