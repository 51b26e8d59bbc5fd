#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real keyloom under a headless sway, as a native Wayland client and
then under XWayland, and types through fcitx5 pinyin with a virtual keyboard:
phrases are scored, direct letters, digits and the space bar are refused. Run
inside `scripts/desktop-session --wayland --fcitx5`:

    wayland_test.py PATH/TO/keyloom
"""

import os
import sys

from keyloom_desktop import (
    CLIENT_SIZE,
    GREEN,
    MAIN_CAPTION,
    RED,
    Keyloom,
    TestFailure,
    check,
    expect_marks,
    output_path,
)
from keyloom_desktop import wait_fcitx5
from wayland_desktop import client_rect, find_window, grab, key, type_text

LESSON = "我们人民中国，勤劳勇敢的人们在田里劳动。\n"


def expect_marks_on(origin, colours, what):
    """expect_marks on the Wayland screen, which keeps a screenshot of a
    failure."""
    try:
        return expect_marks(origin, colours, what, grab=grab)
    except TestFailure:
        grab().save_png(output_path(f"wayland-{os.environ['QT_QPA_PLATFORM']}-failed.png"))
        raise


def test_wayland(program, platform, shell):
    os.environ["QT_QPA_PLATFORM"] = platform
    with Keyloom(program, LESSON.encode("utf-8")) as keyloom:
        keyloom.start()
        window = find_window(MAIN_CAPTION, 10.0, keyloom.process)
        check(window is not None, f'{platform}: no window "{MAIN_CAPTION}" in sway\'s tree')
        check(window.get("shell") == shell, f"{platform}: window by {window.get('shell')}")
        rect = client_rect(window)
        check(rect[2:] == CLIENT_SIZE, f"client area {rect[2:]}, expected {CLIENT_SIZE}")
        # The window talks to fcitx5 over D-Bus, not through an X server.
        check(
            wait_fcitx5(r"program:keyloom frontend:dbus .*focus:1"),
            "fcitx5 never saw keyloom's input context focused",
        )
        origin = rect[:2]
        expect_marks_on(origin, [], "fresh window")

        type_text("women")
        key("space")
        expect_marks_on(origin, [GREEN, GREEN], "women")

        key("space", "ctrl")  # the input method off: plain keys reach the window
        check(wait_fcitx5(r'"keyboard-us"', "CurrentInputMethod"), "pinyin did not switch off")
        type_text("a1 Z")
        key("space", "ctrl")
        check(wait_fcitx5(r'"pinyin"', "CurrentInputMethod"), "pinyin did not switch on")

        type_text("renmin")
        key("space")  # 人民 are characters 3 and 4 only if the direct keys were refused
        expect_marks_on(origin, [GREEN] * 4, "renmin after direct keys")

        type_text("nihao")
        key("space")  # 你好 where the lesson has 中国
        screen = expect_marks_on(origin, [GREEN] * 4 + [RED, RED], "nihao")
        screen.save_png(output_path(f"wayland-{platform}.png"))


def main():
    try:
        test_wayland(sys.argv[1], "wayland", "xdg_shell")
        check("DISPLAY" in os.environ, "sway runs no XWayland (is Xwayland installed?)")
        # Under XWayland too: wtype's keyboard brings a keymap of its own (the
        # letter "a" at keycode 9, where a PC keyboard has Escape), and the
        # window tells keys by their keysym, not by their place.
        test_wayland(sys.argv[1], "xcb", "xwayland")
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("wayland: native and XWayland windows, pinyin scored, direct keys refused in both")
    return 0


if __name__ == "__main__":
    sys.exit(main())
