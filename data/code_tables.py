# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A code table as the program reads it: "text<TAB>code" a line, every entry
of the source, the codes in ASCII order and the entries that share a code in
candidate order (weight, highest first, ties in the source's order), so that
the line order within a code is the candidate order."""


def candidate_order(entries):
    """The entries grouped by code, each group in candidate order (the sort
    is stable: equal weights keep the source's order)."""
    return sorted(entries, key=lambda e: (e.code, -e.weight))


def table_lines(entries):
    """The table's lines, each ending in LF."""
    for entry in entries:
        if any(c in entry.text + entry.code for c in "\t\r\n"):
            raise ValueError(f"a tab or line end in the entry {entry!r}")
    return [f"{entry.text}\t{entry.code}\n" for entry in candidate_order(entries)]
