// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_lines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace keyloom {
namespace {

constexpr std::size_t kRunColumns = 17;
constexpr std::int64_t kMaxCount = 1'000'000'000'000;
constexpr double kMaxSeconds = 1e9;
constexpr int kMaxOffsetMinutes = 18 * 60;
constexpr int kSecondsPerMinute = 60;
constexpr std::size_t kMaxKeyLength = 64;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

// A line's tab-separated fields, taken in order.
class Fields {
  public:
    explicit Fields(std::string_view line) : rest_(line) {}

    // The next field; past the last, an empty one.
    std::string_view next() {
        if (ended_) {
            overrun_ = true;
            return {};
        }
        // Fields are a few bytes: a plain loop beats a call to search.
        std::size_t tab = 0;
        while (tab < rest_.size() && rest_[tab] != '\t') {
            ++tab;
        }
        if (tab == rest_.size()) {
            ended_ = true;
            return rest_;
        }
        const std::string_view field = rest_.substr(0, tab);
        rest_.remove_prefix(tab + 1);
        return field;
    }
    // Whether the fields taken were exactly the line's.
    [[nodiscard]] bool allTaken() const { return ended_ && !overrun_; }

  private:
    std::string_view rest_;
    bool ended_ = false;
    bool overrun_ = false;
};

// The code point at the start of `bytes` and its length, when the bytes
// begin with a well-formed UTF-8 sequence.
std::optional<std::pair<char32_t, std::size_t>> decodeOne(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80U) {
        return std::pair{static_cast<char32_t>(lead), std::size_t{1}};
    }
    if (lead >= 0xC2U && lead < 0xE0U) {
        length = 2, value = lead & 0x1FU, least = 0x80;
    } else if (lead >= 0xE0U && lead < 0xF0U) {
        length = 3, value = lead & 0x0FU, least = 0x800;
    } else if (lead >= 0xF0U && lead < 0xF5U) {
        length = 4, value = lead & 0x07U, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0U) != 0x80U) {
            return std::nullopt;
        }
        value = (value << 6U) | (byte(i) & 0x3FU);
    }
    if (value < least || value > kMaxCodePoint || (value >= 0xD800 && value < 0xE000)) {
        return std::nullopt;
    }
    return std::pair{value, length};
}

bool isUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        // ASCII runs are the most of a line.
        if (static_cast<unsigned char>(bytes.front()) < 0x80U) {
            bytes.remove_prefix(1);
            continue;
        }
        const auto decoded = decodeOne(bytes);
        if (!decoded) {
            return false;
        }
        bytes.remove_prefix(decoded->second);
    }
    return true;
}

bool parseInteger(std::string_view field, std::int64_t& value, std::int64_t low,
                  std::int64_t high) {
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && stop == end && !field.empty() && value >= low && value <= high;
}

// A decimal of at most 15 digits is an integer below 2^53 over a power of
// ten up to 10^15, both exact as doubles: their quotient is the nearest
// double, as from_chars gives it, without its general path.
bool parseShortDecimal(std::string_view field, double& value) {
    constexpr std::size_t kExactDigits = 15;
    static constexpr std::array<double, kExactDigits + 1> kTens = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t digits = 0;
    std::size_t count = 0;
    std::size_t decimals = 0;
    bool point = false;
    for (const char c : field) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && count < kExactDigits) {
            digits = digits * 10 + (c - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else {
            return false;
        }
    }
    if (count == 0) {
        return false;
    }
    value = static_cast<double>(digits) / kTens[decimals];
    return true;
}

bool parseDecimal(std::string_view field, double& value, double high) {
    if (!parseShortDecimal(field, value)) {
        const char* end = field.data() + field.size();
        const auto [stop, error] =
            std::from_chars(field.data(), end, value, std::chars_format::fixed);
        if (error != std::errc() || stop != end || field.empty()) {
            return false;
        }
    }
    return std::isfinite(value) && value >= 0 && value <= high;
}

void appendInteger(std::string& out, std::int64_t value) {
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(std::begin(digits), end);
}

// Fixed decimals, whatever the C locale says a decimal point is.
void appendDecimal(std::string& out, double value, int decimals) {
    char digits[48];
    const auto [end, error] =
        std::to_chars(std::begin(digits), std::end(digits), std::isfinite(value) ? value : 0.0,
                      std::chars_format::fixed, decimals);
    out.append(std::begin(digits), error == std::errc() ? end : std::begin(digits));
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0U | (cp >> 6U));
        out += static_cast<char>(0x80U | (cp & 0x3FU));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0U | (cp >> 12U));
        out += static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (cp & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (cp >> 18U));
        out += static_cast<char>(0x80U | ((cp >> 12U) & 0x3FU));
        out += static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (cp & 0x3FU));
    }
}

bool isKey(std::string_view key) {
    if (key.empty() || key.size() > kMaxKeyLength) {
        return false;
    }
    return std::ranges::all_of(key, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '-';
    });
}

// A record's version field: this version's, a later one's, or none.
LineKind versionKind(std::string_view field) {
    std::int64_t version = 0;
    if (!parseInteger(field, version, 1, kMaxCount)) {
        return LineKind::damaged;
    }
    return version > kJournalVersion ? LineKind::newer : LineKind::record;
}

// The line's kind before its own fields are read. A record of this version
// is checked for UTF-8 field by field as it is parsed: all but the text's
// name and the character are ASCII, which their parsing demands.
LineKind lineKind(std::string_view line, std::string_view firstField) {
    if (firstField.starts_with("keyloom-")) {
        return LineKind::header;
    }
    const LineKind kind = versionKind(firstField);
    return kind == LineKind::newer && !isUtf8(line) ? LineKind::damaged : kind;
}

} // namespace

std::string_view runsHeader() {
    return "keyloom-runs/"
           "1\trun\trevision\tdate\ttext\t速度\t净速\t击键\t码长\t正确率\t字数\t错字\t回改\t"
           "键数\t约\t打词率\t用时秒\n";
}

std::string_view charactersHeader() {
    return "keyloom-characters/1\trun\trevision\tcharacter\ttyped\twrong\tseconds\n";
}

std::string runLine(const JournalRun& run) {
    std::string line;
    line.reserve(128 + run.text.size());
    const auto tab = [&] { line += '\t'; };
    appendInteger(line, kJournalVersion);
    tab(), line += run.key;
    tab(), appendInteger(line, run.revision);
    tab(), line += formatDate(run.date);
    tab();
    for (const char c : run.text) {
        line += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
    tab(), appendInteger(line, run.speed);
    tab(), appendInteger(line, run.netSpeed);
    tab(), appendDecimal(line, run.keysPerSecond, 2);
    tab(), appendDecimal(line, run.keysPerCharacter, 2);
    tab(), appendInteger(line, run.accuracy);
    tab(), appendInteger(line, run.characters);
    tab(), appendInteger(line, run.wrong);
    tab(), appendInteger(line, run.corrections);
    tab(), appendInteger(line, run.keystrokes);
    tab(), line += run.keystrokesEstimated ? '1' : '0';
    tab(), appendDecimal(line, run.phraseRate, 3);
    tab(), appendDecimal(line, run.typingSeconds, 3);
    line += '\n';
    return line;
}

void appendCharacterLine(std::string& lines, std::string_view key, std::int64_t revision,
                         const JournalCharacter& character) {
    appendInteger(lines, kJournalVersion);
    lines += '\t', lines += key;
    lines += '\t', appendInteger(lines, revision);
    lines += '\t', appendUtf8(lines, character.character);
    lines += '\t', appendInteger(lines, character.typed);
    lines += '\t', appendInteger(lines, character.wrong);
    lines += '\t', appendDecimal(lines, character.seconds, 3);
    lines += '\n';
}

LineKind parseRunLine(std::string_view line, JournalRun& run) {
    Fields fields(line);
    std::array<std::string_view, kRunColumns> f;
    for (std::string_view& field : f) {
        field = fields.next();
    }
    const LineKind kind = lineKind(line, f[0]);
    if (kind != LineKind::record) {
        return kind;
    }
    if (!fields.allTaken() || !isKey(f[1]) || !isUtf8(f[4])) {
        return LineKind::damaged;
    }
    const auto date = parseDate(f[3]);
    std::int64_t estimated = 0;
    const bool good = date && parseInteger(f[2], run.revision, 1, kMaxCount) &&
                      parseInteger(f[5], run.speed, 0, kMaxCount) &&
                      parseInteger(f[6], run.netSpeed, 0, kMaxCount) &&
                      parseDecimal(f[7], run.keysPerSecond, kMaxSeconds) &&
                      parseDecimal(f[8], run.keysPerCharacter, kMaxSeconds) &&
                      parseInteger(f[9], run.accuracy, 0, 1000) &&
                      parseInteger(f[10], run.characters, 0, kMaxCount) &&
                      parseInteger(f[11], run.wrong, 0, run.characters) &&
                      parseInteger(f[12], run.corrections, 0, kMaxCount) &&
                      parseInteger(f[13], run.keystrokes, 0, kMaxCount) &&
                      parseInteger(f[14], estimated, 0, 1) &&
                      parseDecimal(f[15], run.phraseRate, 1) &&
                      parseDecimal(f[16], run.typingSeconds, kMaxSeconds);
    if (!good) {
        return LineKind::damaged;
    }
    run.key.assign(f[1]);
    run.date = *date;
    run.text.assign(f[4]);
    run.keystrokesEstimated = estimated == 1;
    return LineKind::record;
}

LineKind parseCharacterLine(std::string_view line, CharacterRecord& record) {
    // Fields by name, not in an array: this runs a million times when the
    // history opens.
    Fields fields(line);
    const std::string_view version = fields.next();
    const LineKind kind = lineKind(line, version);
    if (kind != LineKind::record) {
        return kind;
    }
    const std::string_view key = fields.next();
    const std::string_view revision = fields.next();
    const std::string_view character = fields.next();
    const std::string_view typed = fields.next();
    const std::string_view wrong = fields.next();
    const std::string_view seconds = fields.next();
    if (!fields.allTaken() || !isKey(key) || character.empty()) {
        return LineKind::damaged;
    }
    const auto decoded = decodeOne(character);
    JournalCharacter& c = record.character;
    const bool good = decoded && decoded->second == character.size() && decoded->first >= 0x20 &&
                      parseInteger(revision, record.revision, 1, kMaxCount) &&
                      parseInteger(typed, c.typed, 1, kMaxCount) &&
                      parseInteger(wrong, c.wrong, 0, c.typed) &&
                      parseDecimal(seconds, c.seconds, kMaxSeconds);
    if (!good) {
        return LineKind::damaged;
    }
    record.key = key;
    c.character = decoded->first;
    return LineKind::record;
}

std::string formatDate(WallTime time) {
    using namespace std::chrono;
    const sys_seconds local{seconds{time.utcSeconds + std::int64_t{time.offsetMinutes} * 60}};
    const sys_days day = floor<days>(local);
    const year_month_day date{day};
    const hh_mm_ss clock{local - day};
    const int offset = time.offsetMinutes < 0 ? -time.offsetMinutes : time.offsetMinutes;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), time.offsetMinutes < 0 ? '-' : '+',
                  offset / kSecondsPerMinute, offset % kSecondsPerMinute);
    return text;
}

std::optional<WallTime> parseDate(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS+HH:MM
    constexpr std::string_view shape = "0000-00-00T00:00:00+00:00";
    if (text.size() != shape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '0'
                ? !digit
                : (shape[i] == '+' ? text[i] != '+' && text[i] != '-' : text[i] != shape[i])) {
            return std::nullopt;
        }
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + length, value);
        return value;
    };
    using namespace std::chrono;
    const year_month_day date{year{number(0, 4)}, month{static_cast<unsigned>(number(5, 2))},
                              day{static_cast<unsigned>(number(8, 2))}};
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    const int second = number(17, 2);
    const int offset =
        (number(20, 2) * kSecondsPerMinute + number(23, 2)) * (text[19] == '-' ? -1 : 1);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59 || number(23, 2) > 59 ||
        offset > kMaxOffsetMinutes || offset < -kMaxOffsetMinutes) {
        return std::nullopt;
    }
    const std::int64_t local = sys_days{date}.time_since_epoch().count() * 86400LL + hour * 3600LL +
                               minute * 60LL + second;
    return WallTime{local - offset * 60LL, offset};
}

std::string makeRunKey(std::int64_t utcMilliseconds, std::uint64_t processId) {
    std::string key;
    appendInteger(key, utcMilliseconds);
    key += '-';
    appendInteger(key, static_cast<std::int64_t>(processId & 0x7FFFFFFFFFFFFFFFULL));
    return key;
}

std::optional<std::string_view> lineKey(std::string_view line) {
    Fields fields(line);
    const std::string_view version = fields.next();
    const std::string_view key = fields.next(); // empty when the line has one field
    if (versionKind(version) != LineKind::record || !isKey(key)) {
        return std::nullopt;
    }
    return key;
}

} // namespace keyloom
