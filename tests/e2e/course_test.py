#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A course through fcitx5 pinyin: F5, 常用字前500 in segments of 10 with a
target of 1000‰; the ten characters typed right bring the second segment's
window, which tells 达标; one wrong there brings the same segment again, its
second attempt. The window that follows each judgement is typed into at once.
Run inside `scripts/desktop-session --fcitx5`:

    course_test.py PATH/TO/keyloom
"""

import os
import shutil
import sys
import time

from keyloom_desktop import GREEN, RED, TestFailure, check, expect_marks, keys, output_path
from new_run_test import adopt_new_window
from pinyin_test import input_context_focused, start_focused

# The first ten characters of 常用字前500 as the build makes it, by the
# syllable whose first candidate each is in a fresh fcitx5 profile; then
# syllables for the second segment's ten (whether each is right does not
# matter: its first is typed wrong).
FIRST_SEGMENT = ["de", "bu", "yi", "shi", "ren", "you", "le", "da", "wo", "lai"]
SECOND_SEGMENT = ["zai", "shang", "ge", "zhong", "chu", "yu", "xia", "hao", "ni", "hui"]


def command_line(pid):
    with open(f"/proc/{pid}/cmdline", "rb") as line:
        return [part.decode("utf-8") for part in line.read().split(b"\0") if part]


def option(arguments, name):
    return arguments[arguments.index(name) + 1] if name in arguments else None


def next_window(keyloom, what, timeout=10):
    """Waits until another window alone is left and fcitx5 sees it focused,
    with no letter typed to help it; returns the new program's arguments and
    the client origin."""
    pid = adopt_new_window(keyloom, what, timeout)
    check(input_context_focused(3.0), f"{what}: fcitx5 never saw the new window focused")
    return command_line(pid), keyloom.client_origin()


def type_syllables(syllables):
    for syllable in syllables:
        keys(*syllable, "space")


def test_course(program):
    with start_focused(program) as keyloom:
        shutil.copytree(
            os.path.join(os.path.dirname(program), "lessons"), os.path.join(keyloom.folder, "lessons")
        )
        # F5: the first text is 常用字前500; Alt+L, one up: length 10; the
        # target's 1000‰ and no speed are the window's own; Enter starts.
        keys("F5")
        time.sleep(1.0)
        keys("alt+l", "Up", "Return")
        arguments, origin = next_window(keyloom, "F5 and Enter")
        check(
            option(arguments, "--set") == "常用字前500"
            and option(arguments, "--length") == "10"
            and option(arguments, "--segment") == "1"
            and option(arguments, "--target") == "1000",
            f"the lesson window started {arguments}",
        )

        type_syllables(FIRST_SEGMENT)
        expect_marks(origin, [GREEN] * 10, "the first segment typed right")
        arguments, origin = next_window(keyloom, "after the first segment")
        previous = option(arguments, "--previous") or ""
        check(option(arguments, "--segment") == "2", f"after the first segment: {arguments}")
        check(previous.startswith("达标 ") and "正确率1000‰" in previous, f"previous: {previous!r}")
        check(option(arguments, "--attempt") is None, f"a first attempt: {arguments}")
        expect_marks(origin, [], "the second segment, fresh").save_png(output_path("course-met.png"))

        # One wrong: 你 where the segment starts with 在.
        type_syllables(["ni"])
        expect_marks(origin, [RED], "the second segment, one wrong")
        type_syllables(SECOND_SEGMENT[1:])
        arguments, origin = next_window(keyloom, "after the missed segment")
        previous = option(arguments, "--previous") or ""
        check(
            option(arguments, "--segment") == "2" and option(arguments, "--attempt") == "2",
            f"after the missed segment: {arguments}",
        )
        check(previous.startswith("未达标 "), f"previous: {previous!r}")
        # Typed into at once: the first syllable reaches the input method.
        type_syllables(["zai"])
        screen = expect_marks(origin, [GREEN], "the second attempt typed at once")
        screen.save_png(output_path("course-missed.png"))


def main():
    try:
        test_course(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("course: F5 starts it, a met segment moves on, a missed one comes again")
    return 0


if __name__ == "__main__":
    sys.exit(main())
