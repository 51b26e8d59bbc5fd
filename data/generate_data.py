#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the program's data from Debian's data packages: the graded sets in
OUT/lessons/<name>.txt (an entry a line, in rank order) and the code tables
in OUT/codes/<name>.txt ("text<TAB>code" a line). UTF-8, LF, no byte-order
mark; the same packages always give the same bytes."""

import argparse
import os
import subprocess
import sys

from code_tables import table_lines
from essay_counts import simplified_counts
from graded_sets import graded_sets
from rime_dictionary import read_dictionary
from unihan_levels import level_one_characters


def write_file(path, lines):
    """Writes the file whole or not at all, so a failed run leaves no half
    file that looks up to date."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    partial = path + ".partial"
    with open(partial, "w", encoding="utf-8", newline="\n") as file:
        file.writelines(lines)
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--unihan", required=True, help="Unihan_OtherMappings.txt.bz2")
    parser.add_argument("--essay", required=True, help="essay.txt")
    parser.add_argument("--opencc", required=True, help="the opencc command")
    parser.add_argument("--opencc-config", default="t2s.json")
    parser.add_argument("--wubi86", required=True, help="wubi86.dict.yaml")
    parser.add_argument("--pinyin", required=True, help="pinyin_simp.dict.yaml")
    parser.add_argument("--out", required=True, help="the folder to fill")
    args = parser.parse_args()

    level_one = level_one_characters(args.unihan)
    word_counts = simplified_counts(args.essay, args.opencc, args.opencc_config)
    outputs = [(os.path.join(args.out, "lessons", name + ".txt"),
                [entry + "\n" for entry in entries])
               for name, entries in graded_sets(level_one, word_counts)]
    for name, source in (("五笔86", args.wubi86), ("拼音", args.pinyin)):
        outputs.append((os.path.join(args.out, "codes", name + ".txt"),
                        table_lines(read_dictionary(source))))
    for path, lines in outputs:
        write_file(path, lines)


if __name__ == "__main__":
    try:
        main()
    except (OSError, ValueError, subprocess.CalledProcessError) as error:
        sys.exit(f"generate_data: {error}")
