// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Segmenting and shuffling a course's material.
#include "course/segments.h"
#include "course/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace keyloom {
namespace {

// `count` distinct single characters from 一 on.
std::vector<std::u16string> characters(std::size_t count) {
    std::vector<std::u16string> entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.emplace_back(1, static_cast<char16_t>(u'一' + i));
    }
    return entries;
}

std::vector<std::u16string> words(std::size_t count) {
    std::vector<std::u16string> entries = characters(count * 2);
    std::vector<std::u16string> joined;
    for (std::size_t i = 0; i < count; ++i) {
        joined.push_back(entries[2 * i] + entries[2 * i + 1]);
    }
    return joined;
}

struct BoundsCase {
    const char* name;
    std::vector<std::u16string> entries;
    int length;
    std::vector<std::size_t> bounds;
};

TEST(CourseSegments, WholeEntriesUpToTheLength) {
    const BoundsCase cases[] = {
        {"characters: n is entries / length rounded up, the last short",
         characters(25),
         10,
         {0, 10, 20, 25}},
        {"characters filling their segments exactly", characters(20), 10, {0, 10, 20}},
        {"words are never cut: a segment of 5 holds two", words(5), 5, {0, 2, 4, 5}},
        {"an entry beyond the length is a segment by itself",
         {u"一", u"二三四", u"五"},
         2,
         {0, 1, 2, 3}},
        {"a character beyond the BMP counts once", {u"\U00020000", u"一", u"二"}, 2, {0, 2, 3}},
        {"全文: one segment", characters(25), kWholeText, {0, 25}},
        {"nothing: no segment", {}, 10, {0}},
    };
    for (const BoundsCase& c : cases) {
        EXPECT_EQ(segmentBounds(c.entries, c.length), c.bounds) << c.name;
    }
}

// Every entry once per pass, whatever the seed, the length and the segment.
TEST(CourseSegments, APassHoldsEveryEntryOnce) {
    const std::vector<std::u16string> entries = characters(47);
    for (const std::uint64_t seed : {0ULL, 1ULL, 12345ULL, ~0ULL}) {
        for (const int length : {1, 10, 20, 50}) {
            CourseOptions options{.set = u"x", .length = length, .shuffle = true, .seed = seed};
            std::u16string pass;
            const int count = segmentOf({.entries = entries}, options).count;
            for (options.segment = 1; options.segment <= count; ++options.segment) {
                pass += segmentOf({.entries = entries}, options).text;
            }
            std::u16string sorted = pass;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(sorted.size(), 47U);
            EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
            EXPECT_NE(pass, std::accumulate(entries.begin(), entries.end(), std::u16string()))
                << seed;
        }
    }
}

TEST(CourseSegments, TheShuffleIsFixedByTheSeed) {
    // The order for seed 1 is what every platform draws: the engine's
    // sequence is fixed by the standard, the draw below a bound is ours.
    std::vector<int> order(10);
    std::iota(order.begin(), order.end(), 0);
    shuffleWithSeed(order, 1);
    EXPECT_EQ(order, (std::vector<int>{1, 7, 3, 9, 4, 0, 5, 2, 6, 8}));

    const std::vector<std::u16string> entries = characters(30);
    const CourseOptions first{.set = u"x", .length = 10, .segment = 2, .shuffle = true, .seed = 7};
    EXPECT_EQ(segmentOf({.entries = entries}, first).text,
              segmentOf({.entries = entries}, first).text);

    // A second attempt: the same entries in another order.
    CourseOptions second = first;
    second.attempt = 2;
    std::u16string a = segmentOf({.entries = entries}, first).text;
    std::u16string b = segmentOf({.entries = entries}, second).text;
    EXPECT_NE(a, b);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);

    // An article is never shuffled.
    EXPECT_EQ(segmentOf({.entries = entries, .shuffles = false}, second).text,
              std::accumulate(entries.begin() + 10, entries.begin() + 20, std::u16string()));
}

TEST(CourseSegments, ASegmentPastTheEndIsRefused) {
    const std::vector<std::u16string> entries = characters(25);
    for (const int segment : {0, 4, 100}) {
        const CourseOptions options{.set = u"x", .length = 10, .segment = segment};
        EXPECT_THROW((void)segmentOf({.entries = entries}, options), CourseError) << segment;
    }
}

} // namespace
} // namespace keyloom
