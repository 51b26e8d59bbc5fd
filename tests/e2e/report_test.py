#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Types a known sequence through fcitx5 pinyin, opens the practice report
with F2 and reads it: the caption, the figures and the wrong and slowest
characters from the report's own labels (selected with the mouse, read from
the primary selection), the line that Alt+C copies to the clipboard, and the
drill that Alt+D opens in a window of its own.

Run inside `scripts/desktop-session --fcitx5`:

    report_test.py PATH/TO/keyloom
"""

import re
import subprocess
import sys
import time

from keyloom_desktop import (
    Keyloom,
    TestFailure,
    check,
    find_window,
    keys,
    output_path,
    Screen,
    wait_fcitx5,
    wait_for_screen,
    xdotool,
)
from new_run_test import row_length, windows

LESSON = "我们中国，人民勤劳。他是你好，春天来了。\n"
MAIN_CAPTION = "Keyloom 1.0"
REPORT_CAPTION = "成绩 KeyloomV1.0"
# The report's labels, in pixels of its client area (twips / 15).
FIGURES = (16, 36, 192, 216)
WRONG = (220, 36, 176, 216)
SLOWEST = (408, 36, 176, 216)

# (keys, pause after) of the run: one wrong phrase (你好 for 勤劳), a wrong
# character taken back with Backspace, a composition edited with Backspace
# and dropped with Escape, and a pause of 3 s before 他.
SEQUENCE = [
    (["w", "o", "m", "e", "n", "space"], 0.3),  # 我们
    (["z", "h", "o", "n", "g", "g", "u", "o", "space"], 0.3),  # 中国
    (["comma"], 0.3),  # ，
    (["r", "e", "n", "m", "i", "n", "space"], 0.3),  # 人民
    (["n", "i", "h", "a", "o", "space"], 0.3),  # 你好 for 勤劳: wrong
    (["period"], 0.3),  # 。
    (["w", "o", "space"], 0.3),  # 我 for 他: wrong
    (["BackSpace"], 3.0),  # taken back; then a pause
    (["t", "a", "space"], 0.3),  # 他, slow
    (["s", "h", "i", "space"], 0.3),  # 是
    (["n", "i", "BackSpace", "Escape"], 0.3),  # a composition dropped
    (["n", "i", "h", "a", "o", "space"], 0.3),  # 你好
]
KEYS_SENT = sum(len(group) for group, _ in SEQUENCE)
# Each wrong or slow reference character three times, in the lesson's order.
DRILL = "勤勤勤劳劳劳他他他"
# By the time Alt+D is pressed the comma typed after the report was read is
# slow too (the report stood open before it, and the clock runs behind it):
# it comes first, as it stands first in the lesson.
DRILL_AFTER_COMMA = "，，，" + DRILL


def start(program):
    """Starts keyloom with fcitx5 seeing its input context focused. Returns
    the program and the keys that it took to get there (a letter and Escape
    when fcitx5 missed the first focus), which count as keystrokes too."""
    keyloom = Keyloom(program, LESSON.encode("utf-8"))
    keyloom.start().wait_for_window()
    focused = r"program:keyloom .*focus:1"
    if wait_fcitx5(focused, timeout=3.0):
        return keyloom, 0
    keys("a")
    check(wait_fcitx5(focused), "fcitx5 never saw keyloom focused")
    keys("Escape")
    return keyloom, 2


def client_origin(window):
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    x = int(re.search(r"Absolute upper-left X:\s+(\d+)", info).group(1))
    y = int(re.search(r"Absolute upper-left Y:\s+(\d+)", info).group(1))
    return x, y


def selection(kind):
    return subprocess.run(
        ["xclip", "-selection", kind, "-o"], capture_output=True, text=True, timeout=5
    ).stdout


def select_label(origin, label):
    """Drags the mouse across a label: its text becomes the primary selection."""
    left, top, width, height = label
    x, y = origin
    xdotool("mousemove", x + left + 1, y + top + 1, "mousedown", "1")
    xdotool("mousemove", x + left + width // 2, y + top + height // 2)
    xdotool("mousemove", x + left + width - 2, y + top + height - 2, "mouseup", "1")
    time.sleep(0.2)
    return selection("primary")


def open_report():
    keys("F2")
    window = find_window(REPORT_CAPTION, 5.0)
    check(window is not None, f'F2 opened no window "{REPORT_CAPTION}"')
    xdotool("windowfocus", "--sync", window)
    return window


def wait_gone(name, timeout=3.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if find_window(name, 0.05) is None:
            return True
        time.sleep(0.05)
    return False


def figure(figures, name):
    found = re.search(rf"^{name}  (\S+)", figures, re.MULTILINE)
    check(found is not None, f"no {name} in the figures:\n{figures}")
    return found.group(1)


def test_report(program):
    keyloom, extra_keys = start(program)
    with keyloom:
        for group, pause in SEQUENCE:
            keys(*group)
            time.sleep(pause)

        window = open_report()
        origin = client_origin(window)
        Screen.grab().save_png(output_path("report.png"))
        figures = select_label(origin, FIGURES)
        expected = {"键数": str(KEYS_SENT + extra_keys), "字数": "14", "错字": "2", "回改": "1",
                    "正确率": "857‰", "码长": f"{(KEYS_SENT + extra_keys) / 14:.2f}"}
        for name, value in expected.items():
            check(figure(figures, name) == value,
                  f"{name} shows {figure(figures, name)}, expected {value}:\n{figures}")
        wrong = select_label(origin, WRONG)
        check(wrong == "勤 → 你 ×1\n劳 → 好 ×1", f"wrong characters:\n{wrong}")
        slowest = select_label(origin, SLOWEST).splitlines()
        check(len(slowest) == 10 and slowest[0].startswith("他 "), f"slowest: {slowest}")

        keys("alt+c")
        time.sleep(0.3)
        line = selection("clipboard")
        speed, minutes = figure(figures, "速度"), figure(figures, "用时")
        expected_line = (
            f"Keyloom 1.0 速度{speed}字/分 击键{figure(figures, '击键')} "
            f"码长{expected['码长']} 回改1 正确率857‰ 字数14 错字2 用时{minutes}"
        )
        check(line == expected_line, f"Alt+C copied {line!r}, expected {expected_line!r}")
        check(selection("primary") == line, "the primary selection holds another text")

        # Enter closes the report; typing goes on where it was.
        keys("Return")
        main = find_window(MAIN_CAPTION, 3.0)
        check(wait_gone(REPORT_CAPTION), "Enter left the report open")
        xdotool("windowfocus", "--sync", main)
        check(wait_fcitx5(r"program:keyloom .*focus:1"), "the typing box lost the input method")
        keys("comma")
        time.sleep(0.3)
        open_report()
        figures = select_label(client_origin(find_window(REPORT_CAPTION, 1.0)), FIGURES)
        check(figure(figures, "字数") == "15", f"after the report:\n{figures}")
        keys("Escape")
        check(wait_gone(REPORT_CAPTION), "Esc left the report open")

        # Alt+D: the drill of the wrong and slow characters opens in a run of
        # its own; this one stays.
        open_report()
        before = set(windows())
        keys("alt+d")
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and not set(windows()) - before:
            time.sleep(0.05)
        opened = sorted(set(windows()) - before)
        check(len(opened) == 1 and main in windows(), f"Alt+D: windows {windows()}, before {before}")
        drill = opened[0]
        try:
            drill_origin = client_origin(drill)
            # Offset as a second document window opens, the old one in view.
            main_origin = client_origin(main)
            expected = (main_origin[0] + CASCADE, main_origin[1] + CASCADE)
            check(drill_origin == expected, f"the drill opens at {drill_origin}, expected {expected}")
            screen, shown = wait_for_screen(lambda s: row_length(s, drill_origin) == len(DRILL_AFTER_COMMA))
            check(shown, f"the drill's first row shows {row_length(screen, drill_origin)} characters, "
                  f"expected {len(DRILL_AFTER_COMMA)} ({DRILL_AFTER_COMMA})")
        finally:
            subprocess.run(["kill", xdotool("getwindowpid", drill).strip()], check=False)


# How far down and right of the old window the drill's window opens.
CASCADE = 32


def main():
    try:
        test_report(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("report: F2 shows the run's figures and characters; Alt+C copies its line")
    return 0


if __name__ == "__main__":
    sys.exit(main())
