#include "practice/errors.h"
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

} // namespace
} // namespace keyloom
