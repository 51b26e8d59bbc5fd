#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A lesson from a bare file name, from standard input, and from the file
dialog that Ctrl+O opens, driven by keys. Run inside scripts/desktop-session:

    open_file_test.py PATH/TO/keyloom

The lesson shown is told by its length: the upper pane's first row is yellow
as far as the lesson's full-width characters reach.
"""

import os
import subprocess
import sys
import time

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

POEM = "晚风轻轻吹过稻田边上"  # 10 characters, GBK on disk
PIPED = "春天来了"  # 4
OPENED = "山高水长"  # 4, UTF-8 with CR LF
DIALOG_TITLE = "打开课文"


def row_length(screen, origin):
    columns = Pane(screen, origin, PIC_EGG).yellow_columns(0)
    return 0 if not columns else int((max(columns) - ROW_LEFT) // FULL_WIDTH) + 1


def expect_shown(keyloom, length, what):
    keyloom.wait_for_window()
    origin = keyloom.client_origin()
    screen, shown = wait_for_screen(lambda s: row_length(s, origin) == length)
    check(shown, f"{what}: the first row shows {row_length(screen, origin)} characters, expected {length}")


def start(keyloom, args, cwd=None, stdin_bytes=None):
    with open(keyloom.log_path, "wb") as log:
        keyloom.process = subprocess.Popen(
            [keyloom.program, *args],
            cwd=cwd,
            stdin=subprocess.PIPE if stdin_bytes is not None else subprocess.DEVNULL,
            stdout=log,
            stderr=log,
        )
    if stdin_bytes is not None:
        keyloom.process.stdin.write(stdin_bytes)
        keyloom.process.stdin.close()


def test_command_line(program):
    with Keyloom(program, "天地人".encode("gbk")) as keyloom:
        lessons = os.path.join(keyloom.folder, "lessons")
        os.mkdir(lessons)
        with open(os.path.join(lessons, "poem.txt"), "wb") as poem:
            poem.write(POEM.encode("gbk"))
        start(keyloom, ["poem.txt"], cwd=lessons)
        expect_shown(keyloom, len(POEM), "keyloom poem.txt from the lesson's folder")
        keyloom.stop_program()

        start(keyloom, ["-"], stdin_bytes=PIPED.encode("utf-8"))
        expect_shown(keyloom, len(PIPED), "printf ... | keyloom -")
        keyloom.stop_program()


def test_open_dialog(program):
    with Keyloom(program, "天地人".encode("gbk")) as keyloom:
        chosen = os.path.join(keyloom.folder, "chosen.txt")
        with open(chosen, "wb") as lesson:
            lesson.write(("山高\r\n水长\r\n").encode("utf-8"))
        keyloom.start()
        expect_shown(keyloom, 3, "the lesson beside the program")
        old = keyloom.window
        keys("ctrl+o")
        dialog = find_window(DIALOG_TITLE, 5.0, keyloom.process)
        check(dialog is not None, "Ctrl+O: no file dialog")
        xdotool("windowfocus", "--sync", dialog)
        # The file name box has the focus: a full path, then Return.
        xdotool("type", "--delay", "20", chosen)
        keys("Return")
        check(keyloom.wait_exit(10) == 0, f"the old program did not end: {keyloom.log()}")
        new = find_window(MAIN_CAPTION, 5.0)
        check(new is not None and new != old, "no new window after the dialog")
        keyloom.window = new
        keyloom.process = None
        origin = keyloom.client_origin()
        screen, shown = wait_for_screen(lambda s: row_length(s, origin) == len(OPENED))
        check(shown, f"Ctrl+O: the first row shows {row_length(screen, origin)} characters")
        pid = xdotool("getwindowpid", new).strip()
        subprocess.run(["kill", pid], check=False)


def main():
    try:
        test_command_line(sys.argv[1])
        test_open_dialog(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("lessons from a bare file name, standard input and the Ctrl+O dialog as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
