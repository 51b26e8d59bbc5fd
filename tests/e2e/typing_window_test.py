#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Types into the real keyloom window on an X display without an input method
and reads the marks off the screen.

Without an input method only the punctuation keys put characters into the
box, so the lesson's first row is made of the ASCII punctuation they type;
the second row starts with full-width punctuation, which those keys can only
get wrong. Run inside scripts/desktop-session:

    typing_window_test.py PATH/TO/keyloom
"""

import sys

from keyloom_desktop import (
    GREEN,
    PIC_EGG,
    PIC_TYPE,
    RED,
    ROW_LEFT,
    FULL_WIDTH,
    Keyloom,
    Pane,
    TestFailure,
    check,
    keys,
    output_path,
    wait_for_screen,
)

ROW0 = ",.;'" * 11  # 44 characters, typed with the comma, period, ... keys
ROW1 = "，。[]"
LESSON = (
    ROW0
    + "\n"
    + ROW1
    + "小河从村边流过，河水清清的，两岸长满了柳树。\r\n"
    + "每天早上，孩子们沿着河边去上学，一路说说笑笑。\n"
)
KEY_OF = {",": "comma", ".": "period", ";": "semicolon", "'": "apostrophe", "[": "bracketleft"}
PIXEL_SLACK = 1  # fractional twip positions round to either neighbouring pixel


def near(value, expected, slack=PIXEL_SLACK):
    return abs(value - expected) <= slack


def runs_of(screen, origin, row):
    return Pane(screen, origin, PIC_EGG).mark_runs(row)


def wait_runs(origin, row, expected_colours, what):
    """Waits until ring row `row` shows coloured runs in the given order."""
    screen, ok = wait_for_screen(
        lambda s: [run[0] for run in runs_of(s, origin, row)] == expected_colours
    )
    check(ok, f"{what}: row {row} shows {runs_of(screen, origin, row)}, expected {expected_colours}")
    return screen, runs_of(screen, origin, row)


def check_contiguous(runs, what):
    check(near(runs[0][1], ROW_LEFT), f"{what}: first mark starts at x {runs[0][1]}")
    for before, after in zip(runs, runs[1:]):
        check(near(after[1], before[2]), f"{what}: gap or overlap between {before} and {after}")


def test_typing(program):
    with Keyloom(program, LESSON.encode("utf-8")) as keyloom:
        keyloom.start().wait_for_window()
        origin = keyloom.client_origin()
        screen, _ = wait_runs(origin, 0, [], "fresh window")

        # Right, wrong, right, wrong: four separate runs, which also give the
        # widths of the four reference characters in the mark font.
        keys("comma", "comma", "semicolon", "comma")
        screen, runs = wait_runs(origin, 0, [GREEN, RED, GREEN, RED], "first four keys")
        check_contiguous(runs, "first four marks")
        width = {char: run[2] - run[1] for char, run in zip(ROW0, runs)}
        check(all(1 <= w <= FULL_WIDTH for w in width.values()), f"mark widths {width}")

        # A letter, a digit and a space are refused: the comma that follows
        # them is the fifth character, right against the fifth reference one.
        keys("a", "5", "space", "comma")
        screen, runs = wait_runs(origin, 0, [GREEN, RED, GREEN, RED, GREEN], "refused keys")
        check_contiguous(runs, "five marks")
        check(near(runs[4][2] - runs[4][1], width[","]), f"fifth mark {runs[4]}")
        typed = Pane(screen, origin, PIC_TYPE).yellow_columns(0)
        check(
            max(typed) <= runs[4][2] + PIXEL_SLACK,
            f"typed row reaches x {max(typed)}, past the fifth character",
        )

        # The rest of row 0, all right: one green run to the row's end.
        keys(*(KEY_OF[c] for c in ROW0[5:]))
        screen, runs = wait_runs(origin, 0, [GREEN, RED, GREEN, RED, GREEN], "row 0 typed")
        row_end = runs[3][2] + sum(width[c] for c in ROW0[4:])
        check(near(runs[4][2], row_end, 2), f"row 0 ends at x {runs[4][2]}, expected {row_end}")

        # Character 45 opens ring row 1, under full-width reference characters.
        keys("comma", "period", "bracketleft")
        screen, runs = wait_runs(origin, 1, [RED, GREEN], "row 1")
        check_contiguous(runs, "row 1")
        check(
            near(runs[0][2], ROW_LEFT + 2 * FULL_WIDTH),
            f"two full-width red marks end at x {runs[0][2]}",
        )
        screen.save_png(output_path("typing.png"))

        # Backspace takes the newest character back, and its mark with it.
        keys("BackSpace")
        wait_runs(origin, 1, [RED], "after Backspace")
        wait_runs(origin, 0, [GREEN, RED, GREEN, RED, GREEN], "row 0 after Backspace")


def main():
    try:
        test_typing(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("typing window: marks, refused keys and Backspace as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
