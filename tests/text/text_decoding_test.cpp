// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One table of decoding cases for every decoder the program is built with:
// these tests run on Linux (iconv) and, cross-built, under Wine (the Windows
// code-page API), so the two cannot read a lesson differently.
#include "practice/lesson_text.h"
#include "text/code_points.h"
#include "text/text_decoding.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace keyloom {
namespace {

// A decoding case: the bytes, whether they are a prefix cut from a longer
// input, and the text they must give.
template <class Text> struct Case {
    const char* what;
    std::string bytes;
    bool more;
    Text text;
};

template <class Text, std::size_t N, class Decode>
void expectEach(const Case<Text> (&cases)[N], Decode decode) {
    for (const Case<Text>& c : cases) {
        EXPECT_EQ(decode(c.bytes, c.more), c.text) << c.what;
    }
}

// No text: the bytes are not UTF-8.
const Case<std::optional<std::u16string>> kUtf8Cases[] = {
    {"characters of three and four bytes", "\xE4\xB8\xAD\xF0\x9F\x98\x80", false, u"中😀"},
    {"the first and the last of three and four bytes", "\xE0\xA0\x80\xF4\x8F\xBF\xBF", false,
     u"\u0800\U0010FFFF"},
    {"empty", "", false, u""},
    {"a character cut by the prefix waits", "\xE4\xB8\xAD\xE6\x96", true, u"中"},
    {"a complete last character just before the cut", "a\xE4\xB8\xAD", true, u"a中"},
    {"a complete four-byte character before the cut", "\xF0\x9F\x98\x80", true, u"😀"},
    {"only a cut character", "\xF0\x9F\x98", true, u""},
    {"a character cut at the real end", "\xE4\xB8\xAD\xE6\x96", false, std::nullopt},
    {"overlong NUL", "\xC0\x80", false, std::nullopt},
    {"surrogate", "\xED\xA0\x80", false, std::nullopt},
    {"byte no character starts with", "\xFF", false, std::nullopt},
    {"ASCII where a continuation belongs", "\xE4\x41", false, std::nullopt},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, std::nullopt},
    {"lead byte F5", "\xF5\x80\x80\x80", false, std::nullopt},
    {"lead byte F6 at a cut", "a\xF6\x80", true, std::nullopt},
    {"lead byte F7 at a cut", "a\xF7\x80\x80", true, std::nullopt},
    {"cut surrogate", "\xED\xA0", true, std::nullopt},
    {"cut overlong form", "\xE0\x80", true, std::nullopt},
    {"cut four-byte overlong form", "\xF0\x80", true, std::nullopt},
    {"cut beyond U+10FFFF", "\xF4\x90", true, std::nullopt},
    {"cut lead byte of an overlong form", "a\xC0", true, std::nullopt},
    {"lone continuation at a cut", "a\x80", true, std::nullopt},
    {"ASCII after a lead at a cut", "\xE4\x41", true, std::nullopt},
};

TEST(TextDecodingTest, Utf8IsStrictAlsoAtACut) {
    expectEach(kUtf8Cases, decodeUtf8Strict);
}

// The code tables' own decoder, which has no cut: the same text at the real end.
TEST(TextDecodingTest, TheCodeTablesDecoderAgreesAtTheRealEnd) {
    for (const Case<std::optional<std::u16string>>& c : kUtf8Cases) {
        if (!c.more) {
            std::u16string units(c.bytes.size(), u'\0');
            const std::optional<std::size_t> decoded = decodeUtf8(c.bytes, units);
            EXPECT_EQ(decoded ? std::optional(units.substr(0, *decoded)) : std::nullopt, c.text)
                << c.what;
            EXPECT_EQ(fromUtf8(c.bytes), c.text.value_or(u"")) << c.what;
        }
    }
    std::u16string tooFew(2, u'\0');
    EXPECT_EQ(decodeUtf8("abc", tooFew), std::nullopt) << "fewer units than bytes";
}

TEST(TextDecodingTest, GbkWalksCharactersAndReplacesWhatDoesNotDecode) {
    const Case<std::u16string> cases[] = {
        {"two characters", "\xD6\xD0\xCE\xC4", false, u"中文"},
        {"ASCII between", "a\xD6\xD0-b", false, u"a中-b"},
        {"full-width comma", "\xA3\xAC", false, u"，"},
        {"the euro sign of code page 936", "\x80", false, u"€"},
        {"lead byte with a trail it cannot take", "\x81\x20z", false, u"\uFFFD z"},
        {"byte no character starts with",
         "\xFF"
         "a",
         false, u"\uFFFDa"},
        {"lone lead byte at the end", "\xD6\xD0\xCE", false, u"中\uFFFD"},
        {"lead byte cut by the prefix", "\xD6\xD0\xCE", true, u"中"},
        {"empty", "", false, u""},
    };
    expectEach(cases, decodeGbk);
}

TEST(TextDecodingTest, LessonLinesDecodeOneByOneAndJoin) {
    const Case<std::u16string> cases[] = {
        {"LF", "abc\ndef", false, u"abcdef"},
        {"CR LF with a final break", "abc\r\ndef\r\n", false, u"abcdef"},
        {"CR only", "abc\rdef\r", false, u"abcdef"},
        {"mixed, with empty lines", "\r\na\r\n\r\nb\n\nc\rd", false, u"abcd"},
        {"empty", "", false, u""},
        {"NUL bytes", std::string("a\0b", 3), false, std::u16string(u"a\0b", 3)},
        {"GBK", "\xD6\xD0\xCE\xC4\r\n\xA3\xAC", false, u"中文，"},
        {"UTF-8", "\xE4\xB8\xAD\xE6\x96\x87\n\xEF\xBC\x8C", false, u"中文，"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF\xE4\xB8\xAD", false, u"中"},
        {"a lone GBK lead byte at the end", "\xD6\xD0\xCE", false, u"中\uFFFD"},
        {"a GBK lead byte at a line end takes nothing from the next line", "AB\xB0\r\nCD", false,
         u"AB\uFFFDCD"},
        {"a UTF-8 character split by a line end is no UTF-8", "\xE4\xB8\n\xAD", false, u"涓\uFFFD"},
        {"one line that is not UTF-8 makes the whole lesson GBK", "\xE4\xB8\xAD\n\xD6\xD0", false,
         u"涓\uFFFD中"},
        {"a broken UTF-8 line in the middle makes the whole lesson GBK",
         "\xE4\xB8\xAD\n\xD6\xD0\n\xE4\xB8\xAD", false, u"涓\uFFFD中涓\uFFFD"},
        {"a character cut by the prefix waits for the rest", "a\n\xE4\xB8\xAD\xE6\x96", true,
         u"a中"},
        {"a prefix cut after a line end leaves the line whole", "\xD6\xD0\xD6\n", true,
         u"中\uFFFD"},
    };
    expectEach(cases,
               [](std::string_view bytes, bool more) { return decodeLesson(bytes, more, 100); });
    EXPECT_EQ(decodeLesson("abc\ndef", false, 4), u"abcd");
}

// A character is one code point: a surrogate pair is one, a lone surrogate
// (high or low, first or after another character) one of its own, written
// to UTF-8 as U+FFFD.
TEST(TextDecodingTest, CodePointsPairSurrogatesOnly) {
    struct CodePointCase {
        const char* what;
        std::u16string_view text;
        std::size_t count;
        char32_t first;
        std::size_t unitsOfFirstOne;
        std::size_t unitsOfLastOne;
        std::string_view utf8;
    };
    const CodePointCase cases[] = {
        {"empty", u"", 0, 0, 0, 0, ""},
        {"U+0800", u"\u0800", 1, 0x800, 1, 1, "\xE0\xA0\x80"},
        {"U+10FFFF, a pair", u"\U0010FFFF", 1, 0x10FFFF, 2, 2, "\xF4\x8F\xBF\xBF"},
        {"a pair after a BMP character", u"中\U00020000", 2, U'中', 1, 2,
         "\xE4\xB8\xAD\xF0\xA0\x80\x80"},
        {"a lone high surrogate first", u"\xD800中", 2, 0xD800, 1, 1, "\xEF\xBF\xBD\xE4\xB8\xAD"},
        {"a lone low surrogate first", u"\xDC00中", 2, 0xDC00, 1, 1, "\xEF\xBF\xBD\xE4\xB8\xAD"},
        {"a lone high surrogate after a BMP character", u"中\xDBFF", 2, U'中', 1, 1,
         "\xE4\xB8\xAD\xEF\xBF\xBD"},
        {"a lone low surrogate after a BMP character", u"中\xDFFF", 2, U'中', 1, 1,
         "\xE4\xB8\xAD\xEF\xBF\xBD"},
        {"a low before a high: two lone surrogates", u"\xDC00\xD800", 2, 0xDC00, 1, 1,
         "\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const CodePointCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(codePointCount(c.text), c.count);
        EXPECT_EQ(firstCodePoint(c.text), c.first);
        EXPECT_EQ(unitsOfFirst(c.text, 1), c.unitsOfFirstOne);
        EXPECT_EQ(unitsOfLast(c.text), c.unitsOfLastOne);
        EXPECT_EQ(codePointSlice(c.text, c.count - std::min<std::size_t>(c.count, 1), 1).size(),
                  c.unitsOfLastOne);
        EXPECT_EQ(toUtf8(c.text), c.utf8);
    }
}

} // namespace
} // namespace keyloom
