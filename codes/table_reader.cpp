// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/table_reader.h"

#include "text/utf8_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace keyloom {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<bool, 256> kKeys = [] {
    std::array<bool, 256> keys{};
    for (char c = 'a'; c <= 'z'; ++c) {
        keys[static_cast<unsigned char>(c)] = true;
        keys[static_cast<unsigned char>(c - 'a' + 'A')] = true;
    }
    for (const char c : std::string_view(";',./")) {
        keys[static_cast<unsigned char>(c)] = true;
    }
    return keys;
}();

bool isKey(char c) {
    return kKeys[static_cast<unsigned char>(c)];
}

// Keys, and single spaces between them.
bool isCode(std::string_view code) {
    if (code.empty() || code.size() > CodeTableBuilder::kMaxCodeBytes || !isKey(code.back())) {
        return false;
    }
    char before = ' ';
    for (const char c : code) {
        if (!isKey(c) && (c != ' ' || before == ' ')) {
            return false;
        }
        before = c;
    }
    return true;
}

// A text of at most kMaxTextUnits units takes at most three bytes a unit.
constexpr std::size_t kMaxTextBytes = 3 * CodeTableBuilder::kMaxTextUnits;

// A text to type, decoded into `units`: none for bytes that are not UTF-8,
// spaces, control characters, or a text too long.
std::optional<std::u16string_view> textOf(std::string_view bytes,
                                          std::array<char16_t, kMaxTextBytes>& units) {
    if (bytes.size() > units.size()) {
        return std::nullopt;
    }
    const std::optional<std::size_t> decoded = decodeUtf8(bytes, units);
    if (!decoded || *decoded == 0 || *decoded > CodeTableBuilder::kMaxTextUnits) {
        return std::nullopt;
    }
    const std::u16string_view text(units.data(), *decoded);
    if (std::any_of(text.begin(), text.end(), [](char16_t c) {
            return c <= u' ' || (c >= 0x7F && c <= 0xA0) || c == 0x3000 || c == 0xFEFF ||
                   (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029;
        })) {
        return std::nullopt;
    }
    return text;
}

// The weight column, when it is a plain number; anything else weighs nothing.
std::uint64_t weightOf(std::string_view field) {
    std::uint64_t weight = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), weight);
    return error == std::errc() && end == field.data() + field.size() ? weight : 0;
}

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// A line's first three tab-separated fields, found in one pass: lines are
// short, and there are 100,000 of them.
struct Fields {
    std::string_view text;
    std::string_view code;
    std::string_view weight;
    bool hasTab = false;
};

Fields fieldsOf(std::string_view line) {
    std::array<std::size_t, 3> tabs{};
    std::size_t found = 0;
    for (std::size_t i = 0; i < line.size() && found < tabs.size(); ++i) {
        if (line[i] == '\t') {
            tabs[found++] = i;
        }
    }
    const auto field = [&](std::size_t k) {
        const std::size_t begin = k == 0 ? 0 : tabs[k - 1] + 1;
        const std::size_t end = k < found ? tabs[k] : line.size();
        return k <= found ? line.substr(begin, end - begin) : std::string_view();
    };
    return {field(0), field(1), field(2), found > 0};
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
    // Each line's text, decoded into one buffer.
    std::array<char16_t, kMaxTextBytes> units{};
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
        const Fields fields = fieldsOf(line);
        if (!fields.hasTab) {
            skip(lines.number());
            continue;
        }
        const std::optional<std::u16string_view> text = textOf(fields.text, units);
        if (!isCode(fields.code) || !text) {
            skip(lines.number());
            continue;
        }
        builder.add(*text, fields.code, weightOf(fields.weight));
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
