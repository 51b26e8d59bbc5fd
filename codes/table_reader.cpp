// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/table_reader.h"

#include "text/utf8_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace keyloom {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isKey(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ';' || c == '\'' || c == ',' ||
           c == '.' || c == '/';
}

// Keys, and single spaces between them.
bool isCode(std::string_view code) {
    if (code.empty() || code.size() > CodeTableBuilder::kMaxCodeBytes || !isKey(code.front()) ||
        !isKey(code.back()) || code.find("  ") != std::string_view::npos) {
        return false;
    }
    return std::all_of(code.begin(), code.end(), [](char c) { return isKey(c) || c == ' '; });
}

// A text to type: no spaces, no control characters.
bool isText(std::u16string_view text) {
    if (text.empty() || text.size() > CodeTableBuilder::kMaxTextUnits) {
        return false;
    }
    return std::none_of(text.begin(), text.end(), [](char16_t c) {
        return c <= u' ' || (c >= 0x7F && c <= 0xA0) || c == 0x3000 || c == 0xFEFF ||
               (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029;
    });
}

// The weight column, when it is a plain number; anything else weighs nothing.
std::uint64_t weightOf(std::string_view field) {
    std::uint64_t weight = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), weight);
    return error == std::errc() && end == field.data() + field.size() ? weight : 0;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Splits `bytes` into lines, each without its LF or CR LF.
class Lines {
  public:
    explicit Lines(std::string_view bytes) : rest_(bytes) {}
    bool next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number_;
        return true;
    }
    [[nodiscard]] std::size_t number() const { return number_; }

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

} // namespace

TableReading readCodeTable(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    TableReading reading;
    const auto skip = [&reading](std::size_t number) {
        if (reading.skippedLines++ == 0) {
            reading.firstSkippedLine = number;
        }
    };
    CodeTableBuilder builder;
    // The line of each entry added, to name a repeated one.
    std::vector<std::uint32_t> lineOf;
    bool beforeFirstEntry = true;
    bool inHeader = false;
    Lines lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        if (inHeader) {
            inHeader = line != "...";
            continue;
        }
        if (isBlank(line) || line.front() == '#') {
            continue;
        }
        // A Rime dictionary's YAML header, before its entries.
        if (beforeFirstEntry && line == "---") {
            inHeader = true;
            beforeFirstEntry = false;
            continue;
        }
        beforeFirstEntry = false;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            skip(lines.number());
            continue;
        }
        const std::string_view after = line.substr(tab + 1);
        const std::size_t nextTab = after.find('\t');
        const std::string_view code = after.substr(0, nextTab);
        std::string_view weight;
        if (nextTab != std::string_view::npos) {
            weight = after.substr(nextTab + 1);
            weight = weight.substr(0, weight.find('\t'));
        }
        // No text at all for bytes that are not UTF-8.
        const std::u16string text = fromUtf8(line.substr(0, tab));
        if (!isText(text) || !isCode(code)) {
            skip(lines.number());
            continue;
        }
        builder.add(text, code, weightOf(weight));
        lineOf.push_back(static_cast<std::uint32_t>(lines.number()));
    }
    if (lineOf.empty()) {
        return reading;
    }
    CodeTableBuilder::Result built = std::move(builder).finish();
    // A repeated text and code is a skipped line too.
    if (built.duplicates > 0) {
        const std::size_t repeatedLine = lineOf[built.firstDuplicate];
        reading.firstSkippedLine = reading.skippedLines == 0
                                       ? repeatedLine
                                       : std::min(reading.firstSkippedLine, repeatedLine);
    }
    reading.skippedLines += built.duplicates;
    reading.table = std::move(built.table);
    return reading;
}

std::string readingNotice(std::string_view tableName, const TableReading& reading) {
    const std::string name = "码表“" + std::string(tableName) + "”";
    if (!reading.table) {
        return name + "没有一行可用，未载入";
    }
    if (reading.skippedLines == 0) {
        return {};
    }
    std::string notice = name + "跳过了 " + std::to_string(reading.skippedLines) + " 行无效的行";
    if (reading.firstSkippedLine > 0) {
        notice += "（第一处在第 " + std::to_string(reading.firstSkippedLine) + " 行）";
    }
    return notice;
}

} // namespace keyloom
