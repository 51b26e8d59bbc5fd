// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The ideal split, its figures and the code hint on the real tables, Wubi 86
// and pinyin with all their words: each read both from the Debian dictionary
// it is made of and from the compact table the build makes, which must split
// every text alike.
#include "codes/code_hint.h"
#include "codes/ideal_split.h"
#include "codes/table_files.h"
#include "text/utf8_text.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace keyloom {
namespace {

enum class Form { Dictionary, Generated };
constexpr std::array kForms{Form::Dictionary, Form::Generated};

const CodeTable& realTable(const std::string& name, Form form = Form::Generated) {
    static std::map<std::pair<std::string, Form>, CodeTable> tables;
    if (const auto found = tables.find({name, form}); found != tables.end()) {
        return found->second;
    }
    const std::string dictionary = name == "五笔86" ? "wubi86.dict.yaml" : "pinyin_simp.dict.yaml";
    const std::string file = form == Form::Dictionary
                                 ? std::string(KEYLOOM_RIME_DATA) + "/" + dictionary
                                 : std::string(KEYLOOM_GENERATED_CODES) + "/" + name + ".txt";
    TableReading reading =
        readCodeTableFile(std::filesystem::path(std::u8string(file.begin(), file.end())));
    if (!reading.table || reading.skippedLines != 0) {
        throw std::runtime_error("cannot read " + file + " cleanly");
    }
    return tables.emplace(std::pair(name, form), std::move(*reading.table)).first->second;
}

// Each case on each form of its table.
template <typename Case, std::size_t N>
std::vector<std::pair<Form, Case>> formsAndCases(const Case (&cases)[N]) {
    std::vector<std::pair<Form, Case>> all;
    for (const Form form : kForms) {
        for (const Case& c : cases) {
            all.emplace_back(form, c);
        }
    }
    return all;
}

// The pieces as "text code cost", joined by "|".
std::string piecesListed(const IdealSplit& split, std::u16string_view text) {
    std::string listed;
    for (const SplitPiece& piece : split.pieces()) {
        listed += (listed.empty() ? "" : "|") + toUtf8(text.substr(piece.begin, piece.units)) +
                  " " + std::string(piece.code) + " " + std::to_string(piece.cost);
    }
    return listed;
}

struct SplitCase {
    const char* table;
    std::u16string text;
    const char* pieces;
    std::size_t keys;
    std::size_t characters;
    std::size_t leftOut;
};

TEST(IdealSplitTest, LeastCostOnTheRealTables) {
    const SplitCase cases[] = {
        // A character's one-key code and the key that chooses it.
        {"五笔86", u"的", "的 r 2", 2, 1, 0},
        // A word wins over its characters (中 k, 国 l, 人 w, 民 n: 8 keys).
        {"五笔86", u"中国人民", "中国人民 klwn 4", 4, 4, 0},
        // The first candidate of a four-key code commits by itself; the second pays its choice.
        {"五笔86", u"发送改善", "发送 ntud 4|改善 ntud 5", 9, 4, 0},
        // Beyond the BMP, a second candidate of khlg.
        {"五笔86", u"𨈈", "𨈈 khlg 5", 5, 1, 0},
        // Punctuation is one key; a character of no entry is left out, uncounted.
        {"五笔86", u"，A😀。", "， - 1|A ? 0|😀 ? 0|。 - 1", 2, 2, 2},
        {"五笔86", u"山高水长，我们慢慢走。",
         "山高水长 myit 4|， - 1|我们 trwu 4|慢慢 njnj 4|走 fhu 4|。 - 1", 18, 11, 0},
        {"五笔86", u"", "", 0, 0, 0},
        // Syllables are keys, the spaces between them are not.
        {"拼音", u"中国", "中国 zhong guo 9", 9, 2, 0},
        {"拼音", u"的，", "的 de 3|， - 1", 4, 2, 0},
        // No word of all four: a word of two, then characters.
        {"拼音", u"山高水长，我们慢慢走。",
         "山高 shan gao 8|水 shui 5|长 chang 6|， - 1|我们 wo men 6|慢慢 man man 7|走 zou 4|。 - 1",
         38, 11, 0},
    };
    for (const auto& [form, c] : formsAndCases(cases)) {
        const IdealSplit split(realTable(c.table, form), c.text);
        const std::string what = std::string(c.table) +
                                 (form == Form::Generated ? " generated " : " dictionary ") +
                                 toUtf8(c.text);
        EXPECT_EQ(piecesListed(split, c.text), c.pieces) << what;
        EXPECT_EQ(split.totals().keys, c.keys) << what;
        EXPECT_EQ(split.totals().characters, c.characters) << what;
        EXPECT_EQ(split.totals().leftOut, c.leftOut) << what;
    }
}

TEST(IdealSplitTest, SummaryRoundsHalfAwayFromZero) {
    const struct {
        IdealSplit::Totals totals;
        const char* summary;
    } cases[] = {
        {{37, 21, 2}, "理想码长 1.76 键数 37 字数 21 无编码 2"},
        {{1, 8, 0}, "理想码长 0.13 键数 1 字数 8 无编码 0"}, // 0.125
        {{5, 8, 0}, "理想码长 0.63 键数 5 字数 8 无编码 0"}, // 0.625
        {{10, 1, 0}, "理想码长 10.00 键数 10 字数 1 无编码 0"},
        {{0, 0, 3}, "理想码长 0.00 键数 0 字数 0 无编码 3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(idealSummary(c.totals), c.summary);
    }
}

TEST(CodeHintTest, TheBestWayOnFromTheCaret) {
    const struct {
        const char* table;
        std::u16string text;
        std::size_t caret;
        const char* hint;
    } cases[] = {
        // A character with a longer full code shows both.
        {"五笔86", u"的中国人民", 0, "的 r · rqyy"},
        // The word the split uses from there.
        {"五笔86", u"的中国人民", 1, "中国人民 klwn"},
        // From inside a word, the best way on from there.
        {"五笔86", u"的中国人民", 3, "人民 wwna"},
        {"五笔86", u"的中国人民", 5, ""},
        {"五笔86", u"，的", 0, ""},
        {"五笔86", u"😀的", 0, ""},
        {"五笔86", u"😀的", 2, "的 r · rqyy"},
        {"拼音", u"中国", 0, "中国 zhong guo"},
        // Two readings of one cost: the earlier candidate of its code, then the code.
        {"拼音", u"长", 0, "长 chang"},
    };
    for (const auto& c : cases) {
        const CodeTable& table = realTable(c.table);
        EXPECT_EQ(codeHint(table, IdealSplit(table, c.text), c.text, c.caret), c.hint)
            << c.table << " " << toUtf8(c.text) << " at " << c.caret;
    }
    EXPECT_EQ(codesOf(realTable("五笔86"), u"的"), "r · rqy · rqyy");
    EXPECT_EQ(codesOf(realTable("拼音"), u"长"), "chang · zhang");
    EXPECT_EQ(codesOf(realTable("拼音"), u"😀"), "");
    // A word whose first character has entries of its own.
    EXPECT_EQ(codesOf(realTable("拼音"), u"中国"), "zhong guo");
    EXPECT_EQ(codesOf(realTable("五笔86"), u"中国人民"), "klwn");
}

} // namespace
} // namespace keyloom
