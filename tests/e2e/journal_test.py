#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Saves two runs to the practice journal and reads them back: types a run
with two wrong characters through fcitx5 pinyin, F2 and Alt+S (twice: the
second adds nothing), closes it; does the same in a new window; then F7
shows both runs (and their totals), the two characters typed wrong in both
as the weakest, and Alt+D opens their drill in a window of its own. The
journal goes to a scratch XDG_DATA_HOME.

Run inside `scripts/desktop-session --fcitx5`:

    journal_test.py PATH/TO/keyloom
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from keyloom_desktop import TestFailure, check, find_window, keys, output_path, Screen, xdotool
from new_run_test import row_length, windows
from report_test import client_origin, open_report, select_label, start, wait_gone

HISTORY_CAPTION = "记录 KeyloomV1.0"
# The history's labels, in pixels of its client area (twips / 15).
TOTALS = (16, 348, 360, 34)
WEAK = (392, 220, 192, 162)
# 你好 typed for the lesson's 我们 in both runs: both wrong, equally, so the
# drill takes the lower code point first.
DRILL = "们们们我我我"


def runs_saved(folder):
    path = os.path.join(folder, "keyloom", "runs.tsv")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as runs:
        return [line for line in runs.read().splitlines()[1:] if line]


def save_a_run(program, folder):
    keyloom, _ = start(program)
    with keyloom:
        keys("n", "i", "h", "a", "o", "space")  # 你好 for 我们: both wrong
        time.sleep(0.5)
        open_report()
        before = len(runs_saved(folder))
        keys("alt+s")
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and len(runs_saved(folder)) == before:
            time.sleep(0.05)
        check(len(runs_saved(folder)) == before + 1, "Alt+S saved nothing")
        keys("alt+s")  # again: nothing new to save
        time.sleep(0.5)
        check(len(runs_saved(folder)) == before + 1, "saving the same run twice added a line")
        keys("Return")
        check(wait_gone("成绩 KeyloomV1.0"), "Enter left the report open")


def open_drill(before):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and not set(windows()) - before:
        time.sleep(0.05)
    opened = sorted(set(windows()) - before)
    check(len(opened) == 1, f"Alt+D in the history: windows {windows()}, before {before}")
    return opened[0]


def test_journal(program):
    data = tempfile.mkdtemp(prefix="keyloom-data-", dir=os.environ.get("DESKTOP_SESSION_TMP"))
    os.environ["XDG_DATA_HOME"] = data
    try:
        save_a_run(program, data)
        check(len(runs_saved(data)) == 1, f"after one save: {runs_saved(data)}")
        save_a_run(program, data)
        saved = runs_saved(data)
        check(len(saved) == 2 and saved[0].split("\t")[1] != saved[1].split("\t")[1],
              f"two windows saved {saved}")
        check(all("\t文档.txt\t" in line for line in saved), f"the text's name: {saved}")

        keyloom, _ = start(program)
        with keyloom:
            keys("F7")
            history = find_window(HISTORY_CAPTION, 5.0)
            check(history is not None, f'F7 opened no window "{HISTORY_CAPTION}"')
            xdotool("windowfocus", "--sync", history)
            Screen.grab().save_png(output_path("history.png"))
            origin = client_origin(history)
            totals = select_label(origin, TOTALS)
            check("全部 4 字" in totals, f"the totals of both runs: {totals!r}")
            weak = select_label(origin, WEAK).splitlines()
            check(weak[:2] == ["们  2 / 2", "我  2 / 2"], f"the weak characters: {weak}")

            before = set(windows())
            keys("alt+d")
            drill = open_drill(before)
            try:
                drill_origin = client_origin(drill)
                deadline = time.monotonic() + 5
                length = 0
                while time.monotonic() < deadline:
                    length = row_length(Screen.grab(), drill_origin)
                    if length == len(DRILL):
                        break
                    time.sleep(0.1)
                check(length == len(DRILL), f"the drill shows {length} characters, expected {DRILL}")
            finally:
                subprocess.run(["kill", xdotool("getwindowpid", drill).strip()], check=False)
            xdotool("windowfocus", "--sync", history)
            keys("Escape")
            check(wait_gone(HISTORY_CAPTION), "Esc left the history open")
    finally:
        shutil.rmtree(data, ignore_errors=True)


def main():
    program = os.path.abspath(sys.argv[1])
    try:
        test_journal(program)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("journal: two windows saved their runs; F7 shows them and drills their weak characters")
    return 0


if __name__ == "__main__":
    sys.exit(main())
