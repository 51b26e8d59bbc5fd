// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history.h"

#include "journal/journal_lines.h"
#include "journal/weakness.h"
#include "practice/run_figures.h"
#include "text/utf8_text.h"

#include <charconv>

namespace keyloom {
namespace {

constexpr std::size_t kWeakShown = 20;
constexpr std::size_t kMinuteEnd = 16; // "2026-11-30T08:53"

std::u16string ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

std::u16string number(std::int64_t value) {
    return ascii(std::to_string(value));
}

std::u16string twoDecimals(double value) {
    char digits[32];
    const auto [end, error] =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 2);
    return ascii(std::string_view(digits, static_cast<std::size_t>(end - std::begin(digits))));
}

std::u16string character(char32_t c) {
    std::u16string text;
    if (c >= 0x10000) {
        text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10U)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FFU)));
    } else {
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

std::u16string charactersAndTime(std::int64_t characters, double seconds) {
    return number(characters) + u" 字，" + minutesSeconds(seconds);
}

std::u16string skippedNotice(const SkippedLines& skipped) {
    if (skipped.total() == 0) {
        return {};
    }
    return u"记录里有 " + number(skipped.total()) +
           u" 行读不了（写到一半、新版本写的、被改坏的、时间在将来的），已跳过；其余的都读了。";
}

} // namespace

std::u16string runLineText(const JournalRun& run) {
    std::u16string date = ascii(formatDate(run.date).substr(0, kMinuteEnd));
    date[10] = u' ';
    const std::u16string estimate = run.keystrokesEstimated ? u"约" : u"";
    return date + u"  " + fromUtf8(run.text) + u"  速度" + number(run.speed) + u" 击键" + estimate +
           twoDecimals(run.keysPerSecond) + u" 码长" + estimate +
           twoDecimals(run.keysPerCharacter) + u" 正确率" + number(run.accuracy) + u"‰ 字数" +
           number(run.characters) + u" 用时" + minutesSeconds(run.typingSeconds);
}

std::u16string deleteQuestion(std::u16string_view runLine) {
    return u"删除这次练习的成绩？删除后不能恢复。\n\n" + std::u16string(runLine);
}

HistoryContent loadHistory(const JournalContents& journal, WallTime now, const CodesOf& codesOf) {
    HistoryContent content;
    for (const JournalRun& run : journal.runs) {
        content.runs.push_back(runLineText(run));
        content.runKeys.push_back(run.key);
    }
    content.days = progressByDay(journal.runs);
    const PracticeTotals totals = practiceTotals(journal.runs, now);
    content.totals = u"今天 " + charactersAndTime(totals.todayCharacters, totals.todaySeconds) +
                     u"\n全部 " + charactersAndTime(totals.allCharacters, totals.allSeconds);
    const std::vector<WeakCharacter> weak =
        weakCharacters(journal.characters, medianSecondsPerCharacter(journal.runs));
    for (std::size_t i = 0; i < weak.size() && i < kWeakShown; ++i) {
        content.weak += character(weak[i].character) + u"  " + number(weak[i].typed) + u" / " +
                        number(weak[i].wrong);
        const std::u16string codes = codesOf ? codesOf(weak[i].character) : std::u16string();
        content.weak += (codes.empty() ? u"" : u"  " + codes) + u"\n";
    }
    if (weak.size() > kWeakShown) {
        content.weak +=
            u"还有 " + number(static_cast<std::int64_t>(weak.size() - kWeakShown)) + u" 个";
    }
    content.drill = weakDrill(weak);
    content.notice = journal.runs.empty() && journal.skipped.total() == 0
                         ? u"还没有记入的成绩：在成绩窗口 (F2) 按“记入成绩”。"
                         : skippedNotice(journal.skipped);
    return content;
}

} // namespace keyloom
