# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The characters of level 1 of the Table of General Standard Chinese
Characters, as Unihan's kTGH field gives them ("2013:N", N the character's
index in the table; 1 to 3,500 is level 1)."""

import bz2

LEVEL_ONE_SIZE = 3500


def level_one_characters(unihan_other_mappings):
    """Maps each level-1 character to its index in the table, 1..3,500."""
    index_of = {}
    with bz2.open(unihan_other_mappings, "rt", encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or fields[1] != "kTGH":
                continue
            year, _, index = fields[2].partition(":")
            if year == "2013" and 1 <= int(index) <= LEVEL_ONE_SIZE:
                index_of[chr(int(fields[0][2:], 16))] = int(index)
    if len(index_of) != LEVEL_ONE_SIZE or set(index_of.values()) != set(
            range(1, LEVEL_ONE_SIZE + 1)):
        raise ValueError(f"{unihan_other_mappings}: level 1 should have "
                         f"{LEVEL_ONE_SIZE} characters, found {len(index_of)}")
    return index_of
