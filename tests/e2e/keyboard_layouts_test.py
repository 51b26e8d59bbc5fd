#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Letters, digits and the space bar are refused on any keyboard layout, and
the punctuation keys still type. For US, French AZERTY and German QWERTZ the
X server's keymap is switched with setxkbmap, keyloom started, and keys
typed by what they type (xdotool finds each on the active layout). Run
inside scripts/desktop-session:

    keyboard_layouts_test.py PATH/TO/keyloom
"""

import subprocess
import sys

from keyloom_desktop import GREEN, Keyloom, TestFailure, keys
from keyloom_desktop import expect_marks

LESSON = ",,,,,,,,\n"
LAYOUTS = ("us", "fr", "de")
REFUSED = ("m", "a", "q", "w", "z", "y", "M", "1", "2", "0", "space")


def test_layout(program, layout):
    subprocess.run(["setxkbmap", layout], check=True, timeout=10)
    with Keyloom(program, LESSON.encode("utf-8")) as keyloom:
        keyloom.start().wait_for_window()
        origin = keyloom.client_origin()
        keys(*REFUSED)
        keys("comma")
        expect_marks(origin, [GREEN], f"{layout}: letters, digits and space refused, comma typed")


def main():
    try:
        for layout in LAYOUTS:
            test_layout(sys.argv[1], layout)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        subprocess.run(["setxkbmap", "us"], check=False, timeout=10)
    print("layouts: letters, digits and space refused on " + ", ".join(LAYOUTS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
