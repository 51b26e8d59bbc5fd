// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader of code tables, ours and the learner's own: every kind of line
// a table file may hold, good and bad, and what is kept of it.
#include "codes/table_reader.h"
#include "text/utf8_text.h"

#include <gtest/gtest.h>
#include <string>

namespace keyloom {
namespace {

// A table's entries, "text:code:cost" in lookup order (by text, cheapest first).
std::string entriesListed(const CodeTable& table) {
    std::string listed;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CodeEntry entry = table.entry(i);
        listed += (listed.empty() ? "" : " ") + toUtf8(entry.text) + ":" + std::string(entry.code) +
                  ":" + std::to_string(entry.cost);
    }
    return listed;
}

struct ReaderCase {
    const char* what;
    std::string bytes;
    // Empty: the table is refused.
    std::string entries;
    std::size_t skipped;
    std::size_t firstSkipped;
};

std::string manyLines(std::size_t count, const std::string& line) {
    std::string bytes;
    bytes.reserve(count * line.size());
    for (std::size_t i = 0; i < count; ++i) {
        bytes += line;
    }
    return bytes;
}

TEST(TableReaderTest, KeepsTheGoodLinesAndCountsTheRest) {
    const ReaderCase cases[] = {
        {"text, code and weight; a code of at most four keys commits by itself when first",
         "的\tr\t9\n的\trqyy\t9\n", "的:r:2 的:rqyy:4", 0, 0},
        {"a byte-order mark, CR LF, blank lines and comments",
         "\xEF\xBB\xBF# 我的码表\r\n\r\n  \r\n甲\tab\r\n#乙\tab\r\n", "甲:ab:3", 0, 0},
        {"a Rime dictionary: its header is not an entry",
         "# Rime dictionary\n---\nname: mine\nsort: by_weight\n...\n\n中\tk\t5\tkh\n", "中:k:2", 0,
         0},
        {"the candidates of a code by weight, ties in the table's order",
         "甲\tabcd\t1\n乙\tabcd\t5\n丙\tabcd\t5\n", "丙:abcd:5 乙:abcd:4 甲:abcd:5", 0, 0},
        {"a table already in the candidates' order, as ours are written",
         "乙\tabcd\t5\n甲\tabcd\t1\n丙\tabce\n", "丙:abce:4 乙:abcd:4 甲:abcd:5", 0, 0},
        {"no weight weighs nothing", "甲\tabcd\n乙\tabcd\t1\n", "乙:abcd:4 甲:abcd:5", 0, 0},
        {"codes beyond four keys: every entry pays its choice", "甲\tabcd\n乙\tabcde\n",
         "乙:abcde:6 甲:abcd:5", 0, 0},
        {"pinyin: the spaces between syllables are no keys", "中国\tzhong guo\t9\n",
         "中国:zhong guo:9", 0, 0},
        {"the keys tables use besides letters", "，\t,\n：\t;'./\n", "，:,:2 ：:;'./:4", 0, 0},
        {"a word beyond the BMP", "𠀀\tabc\n", "𠀀:abc:4", 0, 0},
        {"a line with no tab", "的 r\n中\tk\n", "中:k:2", 1, 1},
        {"codes of other keys", "甲\tk1\n乙\tk-\n丙\tK\n丁\t\n戊\t中\n", "丙:K:2", 4, 1},
        {"spaces around or doubled in a code", "甲\t ab\n乙\tab \n丙\ta  b\n丁\ta b\n", "丁:a b:3",
         3, 1},
        {"a text with spaces or control characters, or none",
         "中 国\tkhlg\n中\u3000国\tkhlg\n\tk\n中\x01\tk\n中国\tkhlg\n", "中国:khlg:4", 4, 1},
        {"a text and code again", "中\tk\n国\tl\n中\tk\t9\n中\tkh\n", "中:k:2 中:kh:3 国:l:2", 1,
         3},
        {"a GBK line among UTF-8 ones", "中\tk\n\xB9\xFA\tl\n", "中:k:2", 1, 2},
        {"a GBK file is refused", "\xD6\xD0\tk\n\xB9\xFA\tl\n", "", 2, 1},
        {"a binary file is refused",
         std::string("\x7F"
                     "ELF\x02\x01\x00\x00\t\xFF\xFE\n\x00\x00",
                     14),
         "", 2, 1},
        {"an empty file is refused", "", "", 0, 0},
        {"only comments and a header are refused", "# x\n---\n中\tk\n...\n", "", 0, 0},
        {"a million lines, one good", manyLines(1'000'000, "x\n") + "中\tk\n", "中:k:2", 1'000'000,
         1},
    };
    for (const ReaderCase& c : cases) {
        const TableReading reading = readCodeTable(c.bytes);
        EXPECT_EQ(reading.table ? entriesListed(*reading.table) : "", c.entries) << c.what;
        EXPECT_EQ(reading.skippedLines, c.skipped) << c.what;
        EXPECT_EQ(reading.firstSkippedLine, c.firstSkipped) << c.what;
    }
}

TEST(TableReaderTest, TellsOnceWhatWasLeftOut) {
    EXPECT_EQ(readingNotice("我的", readCodeTable("中\tk\n")), "");
    EXPECT_EQ(readingNotice("我的", readCodeTable("中\tk\nx\n\xD6\xD0\tk\n中\tk\n")),
              "码表“我的”跳过了 3 行无效的行（第一处在第 2 行）");
    EXPECT_EQ(readingNotice("我的", readCodeTable("x\n")), "码表“我的”没有一行可用，未载入");
}

} // namespace
} // namespace keyloom
