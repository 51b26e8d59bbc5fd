#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""With no input method, a dead key or Compose followed by a letter makes an
accented letter, which the box refuses like the letter itself; a character
beyond the BMP typed by a key is one character, scored right and drawn
whole in the upper pane. Run inside scripts/desktop-session:

    code_points_and_dead_keys_test.py PATH/TO/keyloom
    KEYLOOM_E2E_KEYBOARD_LAYOUT=1 code_points_and_dead_keys_test.py PATH/TO/keyloom  # --fcitx5
"""

import os
import sys
import time

from keyloom_desktop import (
    BLACK,
    GREEN,
    PIC_EGG,
    PIC_TYPE,
    RED,
    Keyloom,
    Pane,
    Screen,
    TestFailure,
    cells_shown,
    check,
    expect_marks,
    full_width_cell,
    keys,
    output_path,
    xdotool,
)
from pinyin_test import start_focused, wait_input_method

BEYOND_BMP = "\U00020000"
LESSON = BEYOND_BMP + "你好，中国人民\n"


def test_faults(program):
    # Qt's compose tables follow the locale: one where é is composed.
    os.environ["LANG"] = "C.UTF-8"
    with Keyloom(program, LESSON.encode("utf-8")) as keyloom:
        keyloom.start().wait_for_window()
        origin = keyloom.client_origin()

        for sequence in (("dead_acute", "e"), ("Multi_key", "apostrophe", "e")):
            keys(*sequence)
            time.sleep(0.5)  # time enough for anything typed to be drawn
            cells = cells_shown(Screen.grab(), origin, 2)
            check(cells == [BLACK, BLACK], f"{' '.join(sequence)} scored: cells show {cells}")

        xdotool("type", "--delay", "50", BEYOND_BMP)
        screen = expect_marks(origin, [GREEN], "U+20000 typed")
        screen.save_png(output_path("beyond-bmp.png"))
        # Its echo in the lower pane stays within its own cell.
        left, right, _ = full_width_cell(1)
        typed = Pane(screen, origin, PIC_TYPE).yellow_columns(0)
        check(typed and min(typed) >= left - 1 and max(typed) <= right + 1,
              f"the typed U+20000 spans x {min(typed, default=None)}..{max(typed, default=None)}")
        # The lesson row draws it as one glyph: ink inside its cell.
        inked = Pane(screen, origin, PIC_EGG).yellow_columns(0)
        check(any(left <= x < right for x in inked), "no glyph for U+20000 in the lesson row")


def test_keyboard_layout(program):
    """The same dead keys with fcitx5 running and its keyboard layout (not
    pinyin) active: fcitx5 composes them itself."""
    with start_focused(program, LESSON) as keyloom:
        origin = keyloom.client_origin()
        keys("ctrl+space")
        wait_input_method("keyboard-us")
        # Switching commits what pinyin may still hold from a recovered focus.
        time.sleep(0.5)
        before = cells_shown(Screen.grab(), origin, 3)
        for sequence in (("dead_acute", "e"), ("Multi_key", "apostrophe", "e")):
            keys(*sequence)
            time.sleep(0.5)
            cells = cells_shown(Screen.grab(), origin, 3)
            check(cells == before, f"keyboard-us: {' '.join(sequence)} scored: {cells}")
        keys("comma")  # and typing goes on
        scored = [cell for cell in before if cell != BLACK]
        expect_marks(origin, scored + [RED], "keyboard-us: the comma key")


def main():
    try:
        if os.environ.get("KEYLOOM_E2E_KEYBOARD_LAYOUT"):
            test_keyboard_layout(sys.argv[1])
            print("fcitx5 keyboard layout: dead keys and Compose refused")
            return 0
        test_faults(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("dead keys and Compose refused; U+20000 scored right as one character")
    return 0


if __name__ == "__main__":
    sys.exit(main())
