// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/errors.h"
#include "practice/lesson_text.h"
#include "practice/ring.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

// A lesson line as the handlers take it and as the window looks ahead at it.
TEST(Ring, LessonLineIsTheSameCopiedOrSeenInPlace) {
    std::u16string lesson(100, u'字');
    lesson[44] = u'二';
    struct Case {
        Counter n;
        std::size_t length;
    };
    for (const Case c : {Case{0, 44}, Case{1, 44}, Case{2, 12}, Case{3, 0}, Case{744, 0}}) {
        const std::u16string_view seen = lessonLineView(lesson, c.n);
        EXPECT_EQ(lessonLine(lesson, c.n), seen) << c.n;
        EXPECT_EQ(seen.size(), c.length) << c.n;
    }
    EXPECT_EQ(lessonLineView(lesson, 1).front(), u'二');
    // Line 745 cannot start within 16 bits: the handlers' copy raises, the
    // look ahead sees nothing.
    EXPECT_THROW(lessonLine(lesson, 745), OverflowError);
    EXPECT_TRUE(lessonLineView(lesson, 745).empty());
    EXPECT_TRUE(lessonLineView(lesson, -1).empty());
}

// A character beyond the BMP is one of a line's 44, and no line ends
// inside one; so is it one of the characters a lesson keeps.
TEST(Ring, LinesAndTheLessonCountCodePoints) {
    std::u16string lesson;
    for (int i = 0; i < 50; ++i) {
        lesson += i % 2 == 0 ? u"\U00020000" : u"字";
    }
    EXPECT_EQ(lessonLineView(lesson, 0), lesson.substr(0, 66));
    EXPECT_EQ(lessonLineView(lesson, 1), lesson.substr(66));
    const std::string bytes = "\xF0\xA0\x80\x80\xE5\xAD\x97\xF0\xA0\x80\x80";
    EXPECT_EQ(decodeLesson(bytes, false, 2), u"\U00020000字");
    EXPECT_EQ(decodeLesson(bytes, false, 1), u"\U00020000");
}

} // namespace
} // namespace keyloom
