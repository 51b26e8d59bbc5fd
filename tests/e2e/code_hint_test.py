#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The code hint (F6) and the ideal code length end to end, typed through a
real input method. Run inside scripts/desktop-session:

    KEYLOOM_E2E_METHOD=wubi code_hint_test.py PATH/TO/keyloom  (a session without --fcitx5:
    it starts fcitx5's wbx itself)
    KEYLOOM_E2E_METHOD=pinyin code_hint_test.py PATH/TO/keyloom  (a session with --fcitx5)

The active input method's table (fcitx5's wbx: 五笔86; its pinyin: 拼音)
shows by itself; F6 goes round to 无提示 (its name alone) and back to that
table, whose name stands at the left end of the strip between the panes and
whose hint stands at the next character's column, right of the name; typing
the code it shows commits that text (the marks turn green) and the hint moves
on with the caret; the report (F2) shows 理想码长 and the codes of a wrong
character.
"""

import os
import shutil
import sys
import tempfile
import time

from keyloom_desktop import (
    GREEN,
    RED,
    PIC_TYPE,
    Keyloom,
    Screen,
    check,
    expect_marks,
    fcitx5,
    keys,
    output_path,
    wait_fcitx5,
    wait_for_screen,
)
from measure_keystrokes import start_method
from report_test import FIGURES, WRONG, client_origin, figure, open_report, select_label

LESSON = "中国人民的生活"
# The strip between the panes, in client pixels: rows 237 to 255.
STRIP_TOP, STRIP_BOTTOM = 237, 255
# Per method: the F6 presses from its table to 无提示 (of 无提示 → 五笔86 →
# 拼音 → 无提示), the table's name, the keys of the hinted code of 中国 (the
# hint "中国 …"), and a wrong word for 人民 with the start of 人's codes as the
# report lists them.
METHODS = {
    "wubi": (2, "五笔86", ["k", "h", "l", "g", "space"], ["t", "r", "w", "u", "space"], "人 → 我 ×1  w"),
    "pinyin": (1, "拼音", ["z", "h", "o", "n", "g", "g", "u", "o", "space"],
               ["w", "o", "m", "e", "n", "space"], "人 → 我 ×1  ren"),
}
CHOICES = 3  # 无提示, 五笔86, 拼音


def ink_columns(screen, origin):
    """The columns of the hint strip with a dark pixel, left to right."""
    x0, y0 = origin
    return [x for x in range(PIC_TYPE[0], PIC_TYPE[0] + 713)
            if any(sum(screen.rgb(x0 + x, y0 + y)) < 200 for y in range(STRIP_TOP, STRIP_BOTTOM))]


def ink_width(screen, origin):
    """From the leftmost to the rightmost dark pixel of the hint strip; 0 when it is empty."""
    columns = ink_columns(screen, origin)
    return columns[-1] - columns[0] + 1 if columns else 0


def hint_left(screen, origin):
    """The left end of the hint: its first ink after the table's name, which
    eight clear pixels or more part from it (the glyphs of a name stand
    closer); None while only the name shows."""
    columns = ink_columns(screen, origin)
    for before, after in zip(columns, columns[1:]):
        if after - before > 8:
            return after
    return None


def main():
    program, method = sys.argv[1], os.environ["KEYLOOM_E2E_METHOD"]
    presses, table, hinted, wrong_word, wrong_line = METHODS[method]
    daemon = None
    if method == "wubi":
        home = tempfile.mkdtemp(prefix="keyloom-hint-", dir=os.environ.get("DESKTOP_SESSION_TMP"))
        daemon, _ = start_method("fcitx5-wubi", home)
    keyloom = Keyloom(program, LESSON.encode("utf-8"))
    shutil.copytree(os.path.join(os.path.dirname(program), "codes"),
                    os.path.join(keyloom.folder, "codes"))
    try:
        with keyloom:
            keyloom.start().wait_for_window()
            focused = r"program:keyloom .*focus:1"
            if not wait_fcitx5(focused, timeout=3.0):
                keys("a")
                check(wait_fcitx5(focused), "fcitx5 never saw keyloom focused")
                keys("Escape")
            origin = keyloom.client_origin()
            # The table's name and its hint, "五笔86  中国 khlg", against the
            # three characters of "无提示".
            screen, shown = wait_for_screen(lambda s: ink_width(s, origin) > 80)
            check(shown, f"no hint of the active input method's table ({table})")

            keys(*["F6"] * presses)
            _, gone = wait_for_screen(lambda s: 0 < ink_width(s, origin) < 50)
            check(gone, f"F6 ×{presses}: not 无提示 alone in the strip "
                        f"({ink_width(Screen.grab(), origin)} pixels wide)")
            keys(*["F6"] * (CHOICES - presses))
            screen, shown = wait_for_screen(lambda s: hint_left(s, origin) is not None)
            check(shown, f"F6 ×{CHOICES}: no hint in the strip")
            # At the row's start the caret stands under the name: the hint
            # stands right of it.
            first = hint_left(screen, origin)
            Screen.grab().save_png(output_path(f"code_hint_{method}.png"))

            keys(*hinted, delay_ms=80)
            expect_marks(origin, [GREEN, GREEN], f"{table}: the hinted code of 中国")

            keys(*wrong_word, delay_ms=80)
            expect_marks(origin, [GREEN, GREEN, RED, RED], "a wrong word for 人民")
            # Four full-width characters on, the hint stands at the caret.
            screen, moved = wait_for_screen(
                lambda s: (hint_left(s, origin) or 0) >= PIC_TYPE[0] + 4 * 16)
            check(moved, f"the hint stands at x={hint_left(screen, origin)}, first at {first}, "
                         f"not at the caret four characters on")
            window = open_report()
            report = client_origin(window)
            figures = select_label(report, FIGURES)
            check(figure(figures, "理想码长") not in ("", None), f"no 理想码长:\n{figures}")
            check(f"({table})" in figures, f"the table is not named:\n{figures}")
            wrong = select_label(report, WRONG)
            check(wrong.splitlines()[0].startswith(wrong_line), f"wrong characters:\n{wrong}")
            keys("Escape")
    finally:
        if daemon is not None:
            daemon.terminate()
            daemon.wait()
    print(f"code hint with {method}: ok")


if __name__ == "__main__":
    main()
