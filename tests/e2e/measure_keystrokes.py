#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures whether the report's keystroke count equals the keys sent, for
one input method. Run inside `scripts/desktop-session` (without --fcitx5: it
starts the input method itself):

    measure_keystrokes.py PATH/TO/keyloom METHOD [--per-group]

METHOD is one of fcitx5-pinyin, fcitx5-shuangpin, fcitx5-wubi (codes ended by
space), fcitx5-wubi-dingzi (each code ended by the next key, 顶字上屏), fcitx5-rime,
ibus-libpinyin, and fcitx5-pinyin-paging (paging through candidates). Prints the keys sent, the count shown and the characters
committed; the README's table of input methods comes from these runs.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

from keyloom_desktop import Keyloom, check, fcitx5, keys, wait_fcitx5, xdotool
from report_test import FIGURES, client_origin, figure, open_report, select_label

# The keys typed in each method: syllables or codes chosen with space or a
# digit, Backspace inside and outside a composition, Escape, punctuation.
SEQUENCES = {
    # the comma key ending a composition commits it and types ，: one key
    "pinyin": ["w o m e n space", "n i h a o 1", "comma", "z h BackSpace o n g space",
               "BackSpace", "t a Escape", "period", "n i comma"],
    "shuangpin": ["w o m f space", "n i h k 1", "comma", "v s g o BackSpace o space",
                  "BackSpace", "t a Escape", "period", "n i comma"],
    # paging through the candidates with = and - and Page Down
    "paging": ["n i equal equal minus space", "w o Next space"],
    # wubi: 我们 trwu, 你好 wqvb, 中国 khlg, 国 lgyi.
    "wbx": ["t r w u space", "w q v b space", "comma", "k h l g space",
            "l g BackSpace g y i", "BackSpace", "w b Escape", "period"],
    # wubi typed the usual way: the first key of the next code, or a
    # punctuation key, commits the word still shown (顶字上屏)
    "wbx-dingzi": ["t r w u", "w w n a", "k h l g", "w q v b", "comma", "period"],
}


# fcitx5's input method, the addons it needs, the keys typed.
METHODS = {
    "fcitx5-pinyin": ("pinyin", "pinyin", "pinyin"),
    "fcitx5-shuangpin": ("shuangpin", "pinyin", "shuangpin"),
    "fcitx5-wubi": ("wbx", "table,pinyinhelper", "wbx"),
    "fcitx5-wubi-dingzi": ("wbx", "table,pinyinhelper", "wbx-dingzi"),
    "fcitx5-rime": ("rime", "rime", "pinyin"),
    "fcitx5-pinyin-paging": ("pinyin", "pinyin", "paging"),
}


def fcitx5_profile(home, method, addons):
    config = os.path.join(home, ".config", "fcitx5")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "profile"), "w") as profile:
        profile.write(
            f"[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM={method}\n\n"
            "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
            f"[Groups/0/Items/1]\nName={method}\nLayout=\n\n[GroupOrder]\n0=Default\n"
        )
    with open(os.path.join(config, "config"), "w") as settings:
        settings.write("[Hotkey/AltTriggerKeys]\n\n[Behavior]\nActiveByDefault=True\n")
    if method == "rime":
        rime = os.path.join(home, ".local", "share", "fcitx5", "rime")
        os.makedirs(rime, exist_ok=True)
        with open(os.path.join(rime, "default.custom.yaml"), "w") as custom:
            custom.write("patch:\n  schema_list:\n    - schema: luna_pinyin_simp\n")
    return subprocess.Popen(
        ["fcitx5", "--disable=all",
         f"--enable=keyboard,{addons},punctuation,xcb,xim,dbus,dbusfrontend,classicui"],
        stdout=open(os.path.join(home, "fcitx5.log"), "wb"), stderr=subprocess.STDOUT,
    )


def start_method(name, home):
    env = os.environ
    env["HOME"] = home
    env["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
    env["XDG_DATA_HOME"] = os.path.join(home, ".local", "share")
    if name == "ibus-libpinyin":
        env["QT_IM_MODULE"] = "ibus"
        env["XMODIFIERS"] = "@im=ibus"
        subprocess.run(["ibus-daemon", "-drx", "--panel", "disable"], check=True)
        for _ in range(200):
            if subprocess.run(["ibus", "engine", "libpinyin"]).returncode == 0:
                break
            time.sleep(0.1)
        return None, "pinyin"
    env["QT_IM_MODULE"] = "fcitx"
    env["XMODIFIERS"] = "@im=fcitx"
    method, addons, sequence = METHODS[name]
    process = fcitx5_profile(home, method, addons)
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        try:
            fcitx5("CurrentInputMethod")
            break
        except subprocess.CalledProcessError:
            time.sleep(0.2)  # not on the bus yet
    time.sleep(10 if method == "rime" else 2)  # dictionaries, Rime's deployment
    return process, sequence


def main():
    program, name = sys.argv[1:3]
    home = tempfile.mkdtemp(prefix="keyloom-measure-")
    daemon, sequence = start_method(name, home)
    lesson = "我们你好，中国他。" * 4
    keyloom = Keyloom(program, lesson.encode("utf-8"))
    try:
        keyloom.start().wait_for_window()
        if daemon is not None:
            check(wait_fcitx5(r"program:keyloom .*focus:1", timeout=10), "no focused input context")
            current = fcitx5("CurrentInputMethod")
            log = open(os.path.join(home, "fcitx5.log"), errors="replace").read()[-800:]
            check(f'"{METHODS[name][0]}"' in current, f"input method: {current}\n{log}")
        time.sleep(1)
        sent = 0
        per_group = "--per-group" in sys.argv
        for group in SEQUENCES[sequence]:
            names = group.split()
            keys(*names, delay_ms=80)
            sent += len(names)
            time.sleep(0.4)
            if per_group:  # the count after each group of keys
                window = open_report()
                counted = figure(select_label(client_origin(window), FIGURES), "键数")
                print(f"{group}: keys sent {sent}, counted {counted}")
                keys("Escape")
                time.sleep(0.3)
                xdotool("windowfocus", "--sync", keyloom.window)
                time.sleep(0.5)
        window = open_report()
        figures = select_label(client_origin(window), FIGURES)
        counted = figure(figures, "键数")
        print(f"{name}: keys sent {sent}, counted {counted}, 字数 {figure(figures, '字数')}")
    finally:
        keyloom.stop()
        if daemon is not None:
            daemon.terminate()
        else:
            subprocess.run(["ibus", "exit"])
    return 0


if __name__ == "__main__":
    sys.exit(main())
