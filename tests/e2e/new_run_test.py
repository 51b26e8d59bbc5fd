#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""F4 (the clipboard's text) and F3 (the same lesson afresh) in the real
keyloom: each leaves exactly one window, in the old one's place, and pinyin
typed into it at once is scored from zero. Run inside
`scripts/desktop-session --fcitx5`:

    new_run_test.py PATH/TO/keyloom
"""

import subprocess
import sys
import time

from keyloom_desktop import (
    GREEN,
    MAIN_CAPTION,
    PIC_EGG,
    ROW_LEFT,
    FULL_WIDTH,
    Pane,
    TestFailure,
    check,
    keys,
    output_path,
    run,
    wait_for_screen,
    window_geometry,
    xdotool,
)
from pinyin_test import expect_marks, start_focused

CLIPBOARD_TEXT = "我们的田野\r\n美丽的河流"  # two lines, joined: 10 characters


def windows():
    found = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^" + MAIN_CAPTION + "$"],
        capture_output=True,
        text=True,
    ).stdout.split()
    return found


def row_length(screen, origin):
    columns = Pane(screen, origin, PIC_EGG).yellow_columns(0)
    return 0 if not columns else int((max(columns) - ROW_LEFT) // FULL_WIDTH) + 1


def hand_over(keyloom, key, what):
    """Presses `key` in the window and waits until the new window alone is
    left; returns its id and client origin."""
    old_window = keyloom.window
    old_place = window_geometry(old_window)[:2]
    keys(key)
    old_process = keyloom.process
    pid = adopt_new_window(keyloom, what)
    check(old_process.poll() is not None or old_process.pid != pid, f"{what}: the same process")
    place = window_geometry(keyloom.window)[:2]
    check(place == old_place, f"{what}: the new window is at {place}, the old one was at {old_place}")
    # No wait for the input method: keys typed before its context is ready
    # are held for it.
    return keyloom.client_origin()


def adopt_new_window(keyloom, what, timeout=10):
    """Waits until a window other than the old one alone is left, and makes
    it and its process the ones `keyloom` drives; returns the pid."""
    old_window = keyloom.window
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        left = windows()
        if len(left) == 1 and left[0] != old_window:
            break
        time.sleep(0.05)
    left = windows()
    check(len(left) == 1 and left[0] != old_window, f"{what}: windows {left}, the old one {old_window}")
    keyloom.window = left[0]
    pid = int(xdotool("getwindowpid", keyloom.window).strip())
    keyloom.process = Adopted(pid)
    return pid


class Adopted:
    """The new run: not a child of this script, stopped through its pid."""

    def __init__(self, pid):
        self.pid = pid

    def poll(self):
        try:
            run(["kill", "-0", str(self.pid)])
            return None
        except subprocess.CalledProcessError:
            return 0

    def terminate(self):
        subprocess.run(["kill", str(self.pid)], check=False)

    kill = terminate

    def wait(self, timeout=None):
        deadline = time.monotonic() + (timeout or 3)
        while self.poll() is None:
            if time.monotonic() > deadline:
                raise subprocess.TimeoutExpired("keyloom", timeout)
            time.sleep(0.05)
        return 0


def test_new_runs(program):
    with start_focused(program) as keyloom:
        origin = keyloom.client_origin()
        keys("w", "o", "m", "e", "n", "space")
        expect_marks(origin, [GREEN, GREEN], "women before F3")
        first = keyloom.process

        # F3: the same lesson, from zero.
        origin = hand_over(keyloom, "F3", "F3")
        check(first.wait(5) == 0, "the old program did not end with status 0")
        expect_marks(origin, [], "after F3")
        keys("w", "o", "m", "e", "n", "space")
        expect_marks(origin, [GREEN, GREEN], "women after F3: scored from the first cell")

        # F4: the clipboard's text, its lines joined.
        clip = subprocess.Popen(["xclip", "-selection", "clipboard", "-loops", "1"], stdin=subprocess.PIPE)
        clip.communicate(CLIPBOARD_TEXT.encode("utf-8"))
        origin = hand_over(keyloom, "F4", "F4")
        screen, shown = wait_for_screen(lambda s: row_length(s, origin) == 10)
        check(shown, f"F4: the first row shows {row_length(screen, origin)} characters, expected 10")
        keys("w", "o", "m", "e", "n", "space")
        screen = expect_marks(origin, [GREEN, GREEN], "women typed at once after F4")
        screen.save_png(output_path("new-run.png"))


def test_typing_at_once_after_each_restart(program, restarts=4):
    """F3 again and again, pinyin typed the moment each new window maps, with
    no wait for the input method and no letter to recover it: the first key
    of every run reaches the input method."""
    with start_focused(program) as keyloom:
        for attempt in range(1, restarts + 1):
            old_window = keyloom.window
            keys("F3")
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                new = [w for w in windows() if w != old_window]
                if new:
                    break
                time.sleep(0.01)
            check(new, f"F3 #{attempt}: no new window")
            keys("w", "o", "m", "e", "n", "space")
            keyloom.window = new[0]
            keyloom.process = Adopted(int(xdotool("getwindowpid", keyloom.window).strip()))
            expect_marks(keyloom.client_origin(), [GREEN, GREEN], f"women typed at once after F3 #{attempt}")


def main():
    try:
        test_new_runs(sys.argv[1])
        test_typing_at_once_after_each_restart(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("new runs: F3 and F4 each leave one window in place, scored from zero, typed at once")
    return 0


if __name__ == "__main__":
    sys.exit(main())
