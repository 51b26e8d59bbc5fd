#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Only what the user chose is scored: pinyin typed from the very first
moment fcitx5 sees the window focused, a window switch in the middle of a
composition and F1 in the middle of one leave nothing but chosen characters
in the run. Run inside `scripts/desktop-session --fcitx5`:

    composition_test.py PATH/TO/keyloom
"""

import subprocess
import sys
import time

from keyloom_desktop import GREEN, TestFailure, check, find_window, keys, xdotool
from keyloom_desktop import expect_marks
from pinyin_test import start_focused

LESSON = "我们人民中国，我们人民中国。\n"
ABOUT_CAPTION = "关于 KeyloomV1.0"
STARTS = 3


def settles():
    """Gives a wrongly delivered flush the time to show on the screen."""
    time.sleep(0.5)


def test_first_moment(program):
    """Each phrase typed at once, from the moment the context is focused."""
    for start in range(1, STARTS + 1):
        with start_focused(program, LESSON) as keyloom:
            origin = keyloom.client_origin()
            keys(*"women", "space", *"renmin", "space", *"zhongguo", "space")
            expect_marks(origin, [GREEN] * 6, f"start {start}: women renmin zhongguo")


def test_window_switch(program):
    with start_focused(program, LESSON) as keyloom:
        origin = keyloom.client_origin()
        keys(*"women", "space")
        expect_marks(origin, [GREEN] * 2, "women")
        keys(*"ren")
        other = subprocess.Popen(["xmessage", "-name", "other", "another window"])
        try:
            window = find_window("other", 5.0)
            check(window is not None, "the other window did not appear")
            xdotool("windowfocus", "--sync", window)
            settles()
            xdotool("windowfocus", "--sync", keyloom.window)
            settles()
            expect_marks(origin, [GREEN] * 2, "back from another window mid-composition")
        finally:
            other.terminate()
            other.wait()
        keys(*"renmin", "space")
        expect_marks(origin, [GREEN] * 4, "renmin after the switch")


def test_help_key(program):
    with start_focused(program, LESSON) as keyloom:
        origin = keyloom.client_origin()
        keys(*"women", "space")
        expect_marks(origin, [GREEN] * 2, "women")
        keys(*"ren", "F1")
        about = find_window(ABOUT_CAPTION, 5.0)
        check(about is not None, "F1 opened no about box")
        xdotool("windowfocus", "--sync", about)
        keys("Escape")
        deadline = time.monotonic() + 5
        while find_window(ABOUT_CAPTION, 0.1) is not None and time.monotonic() < deadline:
            time.sleep(0.05)
        check(find_window(ABOUT_CAPTION, 0.1) is None, "Esc did not close the about box")
        xdotool("windowfocus", "--sync", keyloom.window)
        settles()
        expect_marks(origin, [GREEN] * 2, "F1 and Esc mid-composition")
        keys(*"renmin", "space")
        expect_marks(origin, [GREEN] * 4, "renmin after the about box")


def main():
    program = sys.argv[1]
    try:
        test_first_moment(program)
        test_window_switch(program)
        test_help_key(program)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("compositions: only chosen characters were scored")
    return 0


if __name__ == "__main__":
    sys.exit(main())
