#include "practice/lesson_text.h"
#include "text/text_decoding.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

TEST(WindowsCodePageTest, GbkWalksCharactersAndReplacesWhatDoesNotDecode) {
    struct Case {
        const char* what;
        std::string bytes;
        bool more;
        std::u16string text;
    };
    const Case cases[] = {
        {"two characters", "\xD6\xD0\xCE\xC4", false, u"中文"},
        {"ASCII between", "a\xD6\xD0-b", false, u"a中-b"},
        {"full-width comma", "\xA3\xAC", false, u"，"},
        {"lead byte with a trail it cannot take", "\x81\x20z", false, u"\uFFFD z"},
        {"byte no character starts with",
         "\xFF"
         "a",
         false, u"\uFFFDa"},
        {"lone lead byte at the end", "\xD6\xD0\xCE", false, u"中\uFFFD"},
        {"lead byte cut by the prefix", "\xD6\xD0\xCE", true, u"中"},
        {"empty", "", false, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeGbk(c.bytes, c.more), c.text) << c.what;
    }
}

TEST(WindowsCodePageTest, Utf8IsStrict) {
    EXPECT_EQ(decodeUtf8Strict("\xE4\xB8\xAD\xF0\x9F\x98\x80", false), u"中😀");
    EXPECT_EQ(decodeUtf8Strict("", false), u"");
    EXPECT_EQ(decodeUtf8Strict("\xE4\xB8\xAD\xE6\x96", true), u"中");
    EXPECT_EQ(decodeUtf8Strict("\xF0\x9F\x98", true), u"");
    const char* invalid[] = {"\xE4\xB8\xAD\xE6\x96", "\xC0\x80", "\xED\xA0\x80", "\xFF", "\xE4\x41",
                             "\xF4\x90\x80\x80"};
    for (const char* bytes : invalid) {
        EXPECT_EQ(decodeUtf8Strict(bytes, false), std::nullopt) << bytes;
    }
    EXPECT_EQ(decodeUtf8Strict("\xED\xA0", true), std::nullopt) << "no surrogate can follow";
}

TEST(WindowsCodePageTest, LessonInGbkDecodesThroughTheCodePage) {
    EXPECT_EQ(decodeLesson("\xC4\xE3\xBA\xC3\r\n\xCA\xC0\xBD\xE7\xA1\xA3", false, 100),
              u"你好世界。");
}

} // namespace
} // namespace keyloom
