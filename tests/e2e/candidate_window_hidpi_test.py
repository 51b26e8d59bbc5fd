#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""On a HiDPI screen (Qt scaling the window by QT_SCALE_FACTOR), fcitx5's
candidate window must still open beside the visible caret. Run inside
`scripts/desktop-session --fcitx5` with QT_SCALE_FACTOR set:

    candidate_window_hidpi_test.py PATH/TO/keyloom
"""

import sys

from keyloom_desktop import TestFailure, keys
from pinyin_test import check_candidate_window, start_focused


def test_candidate_window(program):
    with start_focused(program) as keyloom:
        origin = keyloom.client_origin()
        keys(*"women", "space")  # two characters, so the caret has moved on
        keys(*"renmin")
        check_candidate_window(origin, 2)


def main():
    try:
        test_candidate_window(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("HiDPI: the candidate window opens beside the caret")
    return 0


if __name__ == "__main__":
    sys.exit(main())
