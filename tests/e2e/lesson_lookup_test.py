#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where the real keyloom finds its lesson, and its command line. Run inside
scripts/desktop-session (which gives a throwaway HOME and XDG_DATA_HOME):

    lesson_lookup_test.py PATH/TO/keyloom

The lesson shown is told by its length: the upper pane's first row is yellow
as far as the lesson's full-width characters reach.
"""

import os
import shutil
import subprocess
import sys

from keyloom_desktop import (
    FULL_WIDTH,
    MAIN_CAPTION,
    PIC_EGG,
    ROW_LEFT,
    Keyloom,
    Pane,
    TestFailure,
    check,
    find_window,
    keys,
    wait_for_screen,
    xdotool,
)

ERROR_BOX_TITLE = "KeyloomV1.0"
USER_LESSON = "天地人"  # 3 characters
# 22; it ends in a hanzi, as a full stop inks too few pixels to be counted
PROGRAM_LESSON = "春风吹绿了江南的岸边，小河里的水哗哗地向前流"
FILE_LESSON = "山高水长"  # 4
USER_PLACE = os.path.join(os.environ["XDG_DATA_HOME"], "keyloom", "txt", "文档.txt")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as lesson:
        lesson.write(text.encode("gbk"))


def row_length(screen, origin):
    """Cells of the upper pane's first row up to the last one with ink."""
    columns = Pane(screen, origin, PIC_EGG).yellow_columns(0)
    return 0 if not columns else int((max(columns) - ROW_LEFT) // FULL_WIDTH) + 1


def expect_lesson(keyloom, args, length, what):
    keyloom.start(args)
    keyloom.wait_for_window()
    origin = keyloom.client_origin()
    screen, shown = wait_for_screen(lambda s: row_length(s, origin) == length)
    check(shown, f"{what}: the first row shows {row_length(screen, origin)} characters, expected {length}")
    keyloom.stop_program()


def expect_refusal(keyloom, args, status, message, what, env=None, stdin=None):
    """A start that ends before any window opens, with `message` on stderr."""
    result = subprocess.run(
        [keyloom.program, *args], capture_output=True, text=True, timeout=10, env=env, stdin=stdin
    )
    check(result.returncode == status, f"{what}: exit status {result.returncode}, expected {status}")
    check(message in result.stderr, f"{what}: stderr {result.stderr!r} lacks {message!r}")
    check(find_window(MAIN_CAPTION, 0.2) is None, f"{what}: a window opened")


def test_lookup(keyloom):
    write(os.path.join(keyloom.folder, "txt", "文档.txt"), PROGRAM_LESSON)
    expect_lesson(keyloom, [], len(PROGRAM_LESSON), "only beside the program")
    write(USER_PLACE, USER_LESSON)
    expect_lesson(keyloom, [], len(USER_LESSON), "the user's own lesson first")

    # Neither: the message box, the places named, exit status 1.
    os.remove(USER_PLACE)
    shutil.rmtree(os.path.join(keyloom.folder, "txt"))
    keyloom.start([])
    box = find_window(ERROR_BOX_TITLE, 10.0, keyloom.process)
    check(box is not None, "no lesson: no message box")
    check(find_window(MAIN_CAPTION, 0.3) is None, "no lesson: the main window shows")
    xdotool("windowfocus", "--sync", box)
    keys("Return")
    check(keyloom.wait_exit(5) == 1, f"no lesson: exit status {keyloom.process.poll()}")
    report = keyloom.log()
    for place in (USER_PLACE, os.path.join(keyloom.folder, "txt", "文档.txt")):
        check(place in report, f"no lesson: the report {report!r} does not name {place}")


def test_command_line(keyloom):
    file_lesson = os.path.join(keyloom.folder, "my lesson.txt")
    write(file_lesson, FILE_LESSON)
    expect_lesson(keyloom, [file_lesson], len(FILE_LESSON), "a lesson on the command line")

    for option, expected in (("--help", "Usage:"), ("--version", "keyloom 1.0.0")):
        # No display is needed to answer.
        result = subprocess.run(
            [keyloom.program, option],
            capture_output=True,
            text=True,
            timeout=10,
            env={k: v for k, v in os.environ.items() if k != "DISPLAY"},
        )
        check(result.returncode == 0, f"{option}: exit status {result.returncode}")
        check(expected in result.stdout, f"{option}: {result.stdout!r} lacks {expected!r}")

    expect_refusal(keyloom, ["--bogus"], 2, "Unknown option 'bogus'", "an unknown option")
    expect_refusal(keyloom, ["-help"], 2, "Did you mean '--help'?", "a long option with one dash")

    # No display: said plainly, before standard input is read (a pipe that
    # never ends would hold the program until the timeout).
    no_display = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    for args in ([], ["-"]):
        with subprocess.Popen(["sleep", "60"], stdout=subprocess.PIPE) as endless:
            expect_refusal(keyloom, args, 1, "no display found", f"no display, {args}", no_display, endless.stdout)
            endless.kill()

    # Every bad text ends the start with its reason, before any window.
    empty = os.path.join(keyloom.folder, "empty.txt")
    write(empty, " \u3000\n")
    expect_refusal(keyloom, [empty], 1, "没有可以练习", "a file of white space")
    expect_refusal(keyloom, ["-"], 1, "没有可以练习", "nothing on standard input", stdin=subprocess.DEVNULL)
    expect_refusal(keyloom, ["/dev/zero"], 1, "不是文本", "/dev/zero")
    expect_refusal(keyloom, [file_lesson, file_lesson], 2, "--help", "two files")
    missing = os.path.join(keyloom.folder, "none.txt")
    expect_refusal(keyloom, [missing], 1, missing, "a missing file")
    expect_refusal(keyloom, [keyloom.folder], 1, keyloom.folder, "a folder for a file")


def main():
    try:
        with Keyloom(sys.argv[1]) as keyloom:
            test_command_line(keyloom)
            test_lookup(keyloom)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("lesson lookup and command line: user's lesson first, fallback, FILE, options, refusals")
    return 0


if __name__ == "__main__":
    sys.exit(main())
