#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The data the build generates, checked against the packages it is made
from:

    generated_data_test.py DATA_FOLDER Unihan_OtherMappings.txt.bz2 RIME_DATA_FOLDER

The expected ranks were worked out from Debian 12's rime-essay
(0.0~git20230204), opencc 1.1.6 and unicode-data 15.0.0."""

import bz2
import os
import sys
import unittest
from collections import defaultdict

DATA, UNIHAN, RIME = sys.argv[1:4]

CHARACTER_SETS = {"常用字前500": 500, "常用字中500": 500, "常用字后500": 500,
                  "常用字1501-3500": 2000}
WORD_SETS = {"常用词前500": 500, "常用词501-1500": 1000}

# (set, line, entry, why): line 1 of a set is its first rank.
KNOWN_RANKS = [
    ("常用字前500", 1, "的", "the heaviest: 5,973,206"),
    ("常用字前500", 2, "不", "4,634,187"),
    ("常用字前500", 3, "一", "3,731,827, though first in the table"),
    ("常用字前500", 500, "货", "rank 500: 214,959"),
    ("常用字中500", 1, "议", "rank 501: 214,910"),
    ("常用字中500", 413, "怕", "a tie at 111,937: index 1269 first"),
    ("常用字中500", 414, "迷", "the tie's index 1647 second"),
    ("常用字后500", 1, "缺", "rank 1001: 96,552"),
    ("常用字1501-3500", 1, "览", "rank 1501: 50,526"),
    ("常用字1501-3500", 2000, "拄", "rank 3500, the lightest: 1,021"),
    ("常用词前500", 1, "一个", "374,279"),
    ("常用词前500", 78, "一直", "a tie at 54,109: U+4E00 first"),
    ("常用词前500", 79, "北京", "the tie's U+5317 second"),
    ("常用词前500", 268, "计划", "two words merged: 19,272 + 6,418"),
    ("常用词前500", 500, "通知", "rank 500: 16,759"),
    ("常用词501-1500", 1, "至少", "rank 501: 16,755"),
    ("常用词501-1500", 1000, "随时", "rank 1500: 6,761"),
]

CODE_TABLES = {"五笔86": "wubi86.dict.yaml", "拼音": "pinyin_simp.dict.yaml"}

# (table, code, its candidates in order, why)
KNOWN_CODES = [
    ("五笔86", "r", ["的"], "the one-key code; 白's line is a comment"),
    ("五笔86", "rqyy", ["的", "换句话说", "扚"], "the full code, by weight, not the source's order"),
    ("五笔86", "khlg", ["中国", "跨国", "跑车", "䟧", "𨈈"], "words and characters, one beyond the BMP"),
    ("拼音", "zhong guo", ["中国"], "a word's syllables keep their space"),
    ("拼音", "de", ["的", "得", "地", "德", "锝", "底", "徳", "悳", "淂"], "by weight"),
]


def read_lines(path):
    with open(path, "rb") as file:
        data = file.read()
    return data.decode("utf-8").split("\n")[:-1] if data.endswith(b"\n") else [data]


def level_one():
    with bz2.open(UNIHAN, "rt", encoding="utf-8") as lines:
        fields = (line.split("\t") for line in lines if "\tkTGH\t2013:" in line)
        return {chr(int(f[0][2:], 16)) for f in fields if int(f[2].split(":")[1]) <= 3500}


def source_entries(name):
    """A Rime dictionary's body as (text, code, weight), comments left out."""
    with open(os.path.join(RIME, CODE_TABLES[name]), encoding="utf-8") as file:
        lines = file.read().split("\n")
    body = lines[lines.index("...") + 1:]
    fields = (line.split("\t") for line in body if line and not line.startswith("#"))
    return [(f[0], f[1], float(f[2])) for f in fields]


def data_file(folder, name):
    return os.path.join(DATA, folder, name + ".txt")


class GeneratedFiles(unittest.TestCase):
    def test_every_file_is_utf8_with_lf_and_no_byte_order_mark(self):
        names = [("lessons", n) for n in {**CHARACTER_SETS, **WORD_SETS}]
        names += [("codes", n) for n in CODE_TABLES]
        for folder, name in names:
            with open(data_file(folder, name), "rb") as file:
                data = file.read()
            with self.subTest(name):
                data.decode("utf-8")
                self.assertFalse(data.startswith(b"\xef\xbb\xbf"))
                self.assertNotIn(b"\r", data)
                self.assertTrue(data.endswith(b"\n"))
                self.assertNotIn(b"\n\n", data)


class GradedSets(unittest.TestCase):
    def test_sizes_and_the_characters_are_level_one_each_once(self):
        characters = []
        for name, size in CHARACTER_SETS.items():
            entries = read_lines(data_file("lessons", name))
            self.assertEqual(len(entries), size, name)
            characters += entries
        self.assertEqual(sorted(characters), sorted(level_one()))

    def test_words_are_two_level_one_characters_each_once(self):
        level = level_one()
        words = []
        for name, size in WORD_SETS.items():
            entries = read_lines(data_file("lessons", name))
            self.assertEqual(len(entries), size, name)
            words += entries
        self.assertEqual(len(set(words)), len(words))
        self.assertEqual([w for w in words if len(w) != 2 or not set(w) <= level], [])

    def test_known_ranks(self):
        for name, line, entry, why in KNOWN_RANKS:
            self.assertEqual(read_lines(data_file("lessons", name))[line - 1], entry,
                             f"{name} line {line}: {why}")


class CodeTables(unittest.TestCase):
    def test_every_source_entry_once_grouped_by_code_in_candidate_order(self):
        for name in CODE_TABLES:
            with self.subTest(name):
                source = source_entries(name)
                place = {(text, code): (-weight, index)
                         for index, (text, code, weight) in enumerate(source)}
                lines = [tuple(line.split("\t")) for line in read_lines(data_file("codes", name))]
                self.assertEqual(len(lines), len(source))
                self.assertEqual(sorted(lines), sorted(place))
                candidates = defaultdict(list)
                for index, (text, code) in enumerate(lines):
                    if candidates[code]:
                        self.assertEqual(candidates[code][-1][0], index - 1, f"{code} split")
                    candidates[code].append((index, place[(text, code)]))
                out_of_order = [code for code, group in candidates.items()
                                if [p for _, p in group] != sorted(p for _, p in group)]
                self.assertEqual(out_of_order[:10], [])

    def test_known_codes(self):
        tables = {name: read_lines(data_file("codes", name)) for name in CODE_TABLES}
        for name, code, expected, why in KNOWN_CODES:
            found = [line.split("\t")[0] for line in tables[name]
                     if line.endswith("\t" + code)]
            self.assertEqual(found, expected, f"{name} {code}: {why}")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
