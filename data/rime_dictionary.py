# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A Rime dictionary (*.dict.yaml): a YAML header between "---" and "...",
whose "columns" list names the body's tab-separated fields (text, code and
weight when it has none), then one entry a line; "#" starts a comment line."""

from dataclasses import dataclass

DEFAULT_COLUMNS = ["text", "code", "weight"]


@dataclass(frozen=True)
class Entry:
    text: str
    code: str
    weight: float


def header_columns(header_lines):
    """The names the header's "columns:" list gives, or the default ones."""
    columns = []
    in_columns = False
    for line in header_lines:
        if line.startswith("columns:"):
            in_columns = True
        elif in_columns and line.lstrip().startswith("- "):
            columns.append(line.lstrip()[2:].strip())
        elif in_columns:
            break
    return columns or DEFAULT_COLUMNS


def read_dictionary(path):
    """The body's entries, in the file's order; a line without text or code,
    or with a weight that is no number, fails the build."""
    with open(path, encoding="utf-8", newline="\n") as file:
        lines = file.read().split("\n")
    if "..." not in lines:
        raise ValueError(f"{path}: no end of the header (...)")
    end = lines.index("...")
    header = lines[:end]
    if any(line.startswith("import_tables:") for line in header):
        raise ValueError(f"{path}: imported tables are not read")
    columns = header_columns(header)
    entries = []
    for number, line in enumerate(lines[end + 1:], end + 2):
        if not line or line.startswith("#"):
            continue
        fields = dict(zip(columns, line.split("\t")))
        text, code = fields.get("text", ""), fields.get("code", "")
        if not text or not code:
            raise ValueError(f"{path}:{number}: no text or code: {line!r}")
        weight = fields.get("weight", "") or "0"
        try:
            entries.append(Entry(text, code, float(weight)))
        except ValueError:
            raise ValueError(f"{path}:{number}: a weight that is no number: {line!r}") from None
    return entries
