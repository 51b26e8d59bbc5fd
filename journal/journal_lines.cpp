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

constexpr std::int64_t kMaxCount = 1'000'000'000'000;
constexpr double kMaxSeconds = 1e9;
constexpr int kMaxOffsetMinutes = 18 * 60;
constexpr int kSecondsPerMinute = 60;
constexpr std::size_t kMaxKeyLength = 64;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

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

// A decimal of at most 15 digits is an integer below 2^53 over a power of
// ten up to 10^15, both exact as doubles: their quotient is the nearest
// double, as from_chars gives it, without its general path. Where the
// decimal ends, or nullptr for from_chars to read it.
const char* shortDecimal(const char* at, const char* end, double& value) {
    constexpr std::size_t kExactDigits = 15;
    static constexpr std::array<double, kExactDigits + 1> kTens = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t digits = 0;
    std::size_t count = 0;
    std::size_t decimals = 0;
    bool point = false;
    for (; at != end; ++at) {
        if (*at == '.' && !point) {
            point = true;
        } else if (*at >= '0' && *at <= '9') {
            if (count == kExactDigits) {
                return nullptr;
            }
            digits = digits * 10 + (*at - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else {
            break;
        }
    }
    if (count == 0) {
        return nullptr;
    }
    value = static_cast<double>(digits) / kTens[decimals];
    return at;
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

bool isKeyByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

// Reads a line's tab-separated fields in order, each by the reader of its
// kind, which stops where its field ends: one pass over the line, where the
// history reads a million of them. Each reader is false when its field is
// bad or is not followed by a tab or the line's end.
class Fields {
  public:
    explicit Fields(std::string_view line) : at_(line.data()), end_(line.data() + line.size()) {}

    bool integer(std::int64_t& value, std::int64_t low, std::int64_t high) {
        const auto [stop, error] = std::from_chars(at_, end_, value);
        return error == std::errc() && value >= low && value <= high && pass(stop);
    }
    bool decimal(double& value, double high) {
        const char* stop = shortDecimal(at_, end_, value);
        if (stop == nullptr) {
            const auto [fixedStop, error] =
                std::from_chars(at_, end_, value, std::chars_format::fixed);
            if (error != std::errc()) {
                return false;
            }
            stop = fixedStop;
        }
        return std::isfinite(value) && value >= 0 && value <= high && pass(stop);
    }
    bool key(std::string_view& key) {
        const char* stop = std::find_if_not(at_, end_, isKeyByte);
        const auto length = static_cast<std::size_t>(stop - at_);
        key = std::string_view(at_, length);
        return length > 0 && length <= kMaxKeyLength && pass(stop);
    }
    // One code point, not a control character.
    bool character(char32_t& character) {
        const auto decoded = at_ == end_ ? std::nullopt : decodeOne(std::string_view(at_, end_));
        if (!decoded || decoded->first < 0x20) {
            return false;
        }
        character = decoded->first;
        return pass(at_ + decoded->second);
    }
    bool text(std::string_view& text) {
        const char* stop = std::find(at_, end_, '\t');
        text = std::string_view(at_, stop);
        return pass(stop);
    }
    // Whether the last field read ended the line: no more columns.
    [[nodiscard]] bool ended() const { return ended_; }

  private:
    // Past the field ending at `stop`: over its tab, or to the line's end.
    bool pass(const char* stop) {
        if (stop == end_) {
            ended_ = true;
        } else if (*stop != '\t') {
            return false;
        }
        at_ = stop == end_ ? end_ : stop + 1;
        return true;
    }

    const char* at_;
    const char* end_;
    bool ended_ = false;
};

// The line's kind from its start: a header, a later version's record
// (the rest unread), or this version's, whose fields `fields` reads next.
// A record of this version is checked for UTF-8 field by field as it is
// read: all but the text's name and the character are ASCII, which their
// readers demand.
LineKind lineKind(std::string_view line, Fields& fields) {
    if (line.starts_with("keyloom-")) {
        return LineKind::header;
    }
    std::int64_t version = 0;
    if (!fields.integer(version, 1, kMaxCount)) {
        return LineKind::damaged;
    }
    if (version > kJournalVersion) {
        return isUtf8(line) ? LineKind::newer : LineKind::damaged;
    }
    return LineKind::record;
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
    const LineKind kind = lineKind(line, fields);
    if (kind != LineKind::record) {
        return kind;
    }
    std::string_view key;
    std::string_view date;
    std::string_view text;
    std::int64_t estimated = 0;
    const bool good =
        fields.key(key) && fields.integer(run.revision, 1, kMaxCount) && fields.text(date) &&
        fields.text(text) && isUtf8(text) && fields.integer(run.speed, 0, kMaxCount) &&
        fields.integer(run.netSpeed, 0, kMaxCount) &&
        fields.decimal(run.keysPerSecond, kMaxSeconds) &&
        fields.decimal(run.keysPerCharacter, kMaxSeconds) &&
        fields.integer(run.accuracy, 0, 1000) && fields.integer(run.characters, 0, kMaxCount) &&
        fields.integer(run.wrong, 0, run.characters) &&
        fields.integer(run.corrections, 0, kMaxCount) &&
        fields.integer(run.keystrokes, 0, kMaxCount) && fields.integer(estimated, 0, 1) &&
        fields.decimal(run.phraseRate, 1) && fields.decimal(run.typingSeconds, kMaxSeconds) &&
        fields.ended();
    const auto parsedDate = good ? parseDate(date) : std::nullopt;
    if (!parsedDate) {
        return LineKind::damaged;
    }
    run.key.assign(key);
    run.date = *parsedDate;
    run.text.assign(text);
    run.keystrokesEstimated = estimated == 1;
    return LineKind::record;
}

LineKind parseCharacterLine(std::string_view line, CharacterRecord& record) {
    Fields fields(line);
    const LineKind kind = lineKind(line, fields);
    if (kind != LineKind::record) {
        return kind;
    }
    JournalCharacter& c = record.character;
    const bool good = fields.key(record.key) && fields.integer(record.revision, 1, kMaxCount) &&
                      fields.character(c.character) && fields.integer(c.typed, 1, kMaxCount) &&
                      fields.integer(c.wrong, 0, c.typed) &&
                      fields.decimal(c.seconds, kMaxSeconds) && fields.ended();
    return good ? LineKind::record : LineKind::damaged;
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
    std::int64_t version = 0;
    std::string_view key;
    if (!fields.integer(version, 1, kJournalVersion) || !fields.key(key)) {
        return std::nullopt;
    }
    return key;
}

} // namespace keyloom
