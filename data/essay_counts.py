# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The essay's word counts ("word<TAB>count" a line, traditional
characters), each word converted to simplified characters by the opencc
command with the given configuration (t2s.json)."""

import subprocess


def read_essay(path):
    """The (word, count) pairs of the essay, in its order."""
    pairs = []
    with open(path, encoding="utf-8", newline="\n") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if not line:
                continue
            word, tab, count = line.partition("\t")
            if not tab or not word or not count.isdigit():
                raise ValueError(f"{path}:{number}: not word<TAB>count: {line!r}")
            pairs.append((word, int(count)))
    return pairs


def simplified(words, opencc, config):
    """The words converted one by one, a word a line through one opencc run,
    so each is segmented on its own."""
    source = "".join(word + "\n" for word in words)
    result = subprocess.run([opencc, "-c", config], input=source.encode("utf-8"),
                            stdout=subprocess.PIPE, check=True)
    converted = result.stdout.decode("utf-8").split("\n")
    if converted[-1] == "":
        converted.pop()
    if len(converted) != len(words):
        raise ValueError(f"{opencc} gave {len(converted)} lines for {len(words)} words")
    return converted


def simplified_counts(path, opencc, config):
    """The essay's (simplified word, count) pairs, in the essay's order; two
    words that convert to one stay two pairs."""
    pairs = read_essay(path)
    words = simplified([word for word, _ in pairs], opencc, config)
    return [(word, count) for word, (_, count) in zip(words, pairs)]
