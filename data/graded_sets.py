# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The graded sets: the level-1 characters by how often the essay uses them,
and its two-character words made of them by their counts."""

from collections import defaultdict

# Name and ranks (from 1, both ends included) of each set of characters.
CHARACTER_SETS = [
    ("常用字前500", 1, 500),
    ("常用字中500", 501, 1000),
    ("常用字后500", 1001, 1500),
    ("常用字1501-3500", 1501, 3500),
]
WORD_SETS = [
    ("常用词前500", 1, 500),
    ("常用词501-1500", 501, 1500),
]


def ranked_characters(level_one, word_counts):
    """The level-1 characters, most used first: a character weighs the sum of
    count × occurrences over the words; ties by the table's index."""
    weight = defaultdict(int)
    for word, count in word_counts:
        for character in word:
            weight[character] += count
    return sorted(level_one, key=lambda c: (-weight[c], level_one[c]))


def ranked_words(level_one, word_counts):
    """The two-character words whose characters are both in level 1, their
    counts summed where conversion merged two, by count, ties in code-point
    order."""
    count_of = defaultdict(int)
    for word, count in word_counts:
        if len(word) == 2 and all(c in level_one for c in word):
            count_of[word] += count
    return sorted(count_of, key=lambda w: (-count_of[w], w))


def graded_sets(level_one, word_counts):
    """Each set's name and entries, in rank order."""
    characters = ranked_characters(level_one, word_counts)
    words = ranked_words(level_one, word_counts)
    sets = [(name, characters[first - 1:last]) for name, first, last in CHARACTER_SETS]
    for name, first, last in WORD_SETS:
        if len(words) < last:
            raise ValueError(f"{name}: the essay gives only {len(words)} words")
        sets.append((name, words[first - 1:last]))
    return sets
