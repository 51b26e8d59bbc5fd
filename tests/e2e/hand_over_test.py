#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""F3 in the real keyloom, the old program ended at each moment of the
hand-over: the new run must go on and keep its window. Run inside
`scripts/desktop-session`:

    hand_over_test.py PATH/TO/keyloom
"""

import os
import signal
import subprocess
import sys
import time

from keyloom_desktop import MAIN_CAPTION, Keyloom, TestFailure, check, find_window, keys, xdotool

LESSON = "春眠不觉晓处处闻啼鸟"


def new_run_of(program, timeout=10.0):
    """The pid of `program [OPTION...] -` once it runs: the new run, just
    started, its window not yet up."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as cmdline:
                    arguments = cmdline.read().split(b"\0")[:-1]
            except OSError:
                continue
            if arguments[:1] == [program.encode()] and arguments[-1:] == [b"-"]:
                return int(entry)
        time.sleep(0.002)
    raise TestFailure("F3 started no new run")


def alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    # A zombie is gone too.
    with open(f"/proc/{pid}/stat") as stat:
        return stat.read().rsplit(")", 1)[1].split()[0] != "Z"


def window_of(pid, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^" + MAIN_CAPTION + "$"],
            capture_output=True, text=True,
        ).stdout.split()
        if found:
            return found[0]
        time.sleep(0.05)
    return None


def old_ended_as_the_new_run_starts(program, what, end):
    with Keyloom(program, LESSON.encode("utf-8")) as keyloom:
        with open(keyloom.log_path, "wb") as log:
            # A session of its own, as a terminal gives it: its group can be
            # hung up without this script.
            keyloom.process = subprocess.Popen(
                [keyloom.program], stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True
            )
        keyloom.wait_for_window()
        keys("F3")
        new = new_run_of(keyloom.program)
        try:
            end(keyloom.process)
            keyloom.process.wait(5)
            window = window_of(new, 20.0)
            check(window is not None, f"{what}: the new run shows no window")
            # It tells the old program, now gone, that its window is up; then
            # it must still be there.
            time.sleep(1.0)
            check(alive(new), f"{what}: the new run ended:\n{keyloom.log()}")
            check(window_of(new, 1.0) == window, f"{what}: the new window is gone")
        finally:
            if alive(new):
                os.kill(new, signal.SIGTERM)


def main():
    program = sys.argv[1]
    steps = (
        ("killed", lambda old: old.kill()),
        ("ended by SIGTERM", lambda old: old.terminate()),
        ("its terminal hung up", lambda old: os.killpg(old.pid, signal.SIGHUP)),
    )
    try:
        for what, end in steps:
            old_ended_as_the_new_run_starts(program, f"the old program {what} as the new run starts", end)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("hand-over: the new run outlives the old program, however it ends")
    return 0


if __name__ == "__main__":
    sys.exit(main())
