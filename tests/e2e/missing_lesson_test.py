#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Starts the real keyloom without its lesson: it must report the error in a
message box, never show its main window, and end with a non-zero status once
the box is closed. Run inside scripts/desktop-session:

    missing_lesson_test.py PATH/TO/keyloom
"""

import sys

from keyloom_desktop import (
    MAIN_CAPTION,
    Keyloom,
    TestFailure,
    check,
    find_window,
    keys,
    xdotool,
)

ERROR_BOX_TITLE = "KeyloomV1.0"
CASES = [
    ("no txt folder", {"lesson_dir": False}),
    ("txt folder without the lesson", {"lesson_dir": True}),
]


def test_missing_lesson(program, name, layout):
    with Keyloom(program, None, **layout) as keyloom:
        keyloom.start()
        box = find_window(ERROR_BOX_TITLE, 10.0, keyloom.process)
        check(box is not None, f"{name}: no message box (exit status {keyloom.process.poll()})")
        check(
            find_window(MAIN_CAPTION, 0.3) is None,
            f"{name}: the main window shows behind the message box",
        )
        xdotool("windowfocus", "--sync", box)
        keys("Return")
        status = keyloom.wait_exit(5)
        check(status is not None, f"{name}: still running after its message box was closed")
        check(status != 0, f"{name}: exit status 0 after a failed start")


def main():
    try:
        for name, layout in CASES:
            test_missing_lesson(sys.argv[1], name, layout)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("missing lesson: message box, no main window, non-zero exit")
    return 0


if __name__ == "__main__":
    sys.exit(main())
