#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the real keyloom.exe under Wine with fcitx5 pinyin through XIM:
typing, the about box, the report and its journal (Alt+S writes under
%APPDATA%, F7 reads it), new runs and a bad new text.

Run inside `scripts/desktop-session --fcitx5` with WINEPREFIX set to a
throwaway prefix whose code page is 936 (scripts/test-windows does both):

    keyloom_exe_test.py PATH/TO/keyloom.exe PATH/TO/keyloom_witness.exe
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from keyloom_desktop import (  # noqa: E402
    CLIENT_SIZE,
    FULL_WIDTH,
    GREEN,
    MAIN_CAPTION,
    PIC_EGG,
    RED,
    YELLOW,
    Pane,
    Screen,
    TestFailure,
    check,
    expect_marks,
    fcitx5,
    colour_class,
    find_window,
    full_width_cell,
    keys,
    output_path,
    run,
    wait_for_screen,
    wait_fcitx5,
    xdotool,
)

# Every reference character is full-width. Typed: women 我们, renmin 人民, the
# comma key, ta 他 where 中 stands (wrong), Backspace, zhongguo 中国.
LESSON = "我们人民，中国你好。她在家里读书写字，窗外的小鸟唱着歌，春风吹过田野和山冈。"
ABOUT_CAPTION = "关于 KeyloomV1.0"
REPORT_CAPTION = "成绩 KeyloomV1.0"
HISTORY_CAPTION = "记录 KeyloomV1.0"
HISTORY_RUNS = (16, 34, 568, 158)  # its list of runs in client pixels: left, top, width, height
# Wine's XIM path sends no key-downs for the input method's keys: the
# keystroke figures are an estimate (约). 我们人民，中国 stand, 他 was taken back.
RESULT_LINE = re.compile(
    r"Keyloom 1\.0 速度\d+字/分 击键约\d+\.\d\d 码长约\d+\.\d\d 回改1 正确率1000‰ 字数7 错字0 用时0:\d\d"
)
CJK_FONT = "Noto Serif CJK SC"
VALUE_TIME = (72, 24, 51, 18)  # lblTime in client pixels: left, top, width, height


def wine(*args, **kwargs):
    return subprocess.run(["wine", *args], capture_output=True, timeout=30, check=True, **kwargs)


def prepare_prefix(witness):
    """SimSun mapped to an installed CJK font, and the witness program named
    as the system-information tool."""
    for name in ("SimSun", "宋体", "NSimSun"):
        wine("reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", name, "/t", "REG_SZ",
             "/d", CJK_FONT, "/f")
    wine("reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", "SimSun-ExtB", "/t",
         "REG_SZ", "/d", "HanaMinB", "/f")
    windows_path = run(["winepath", "-w", witness]).strip()
    wine("reg", "add", r"HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO", "/v", "PATH", "/t",
         "REG_SZ", "/d", windows_path, "/f")


def focus_input_context(window):
    """Gives the window the keyboard until fcitx5 sees its input context
    focused. Wine makes that context at the first key, and a key that comes
    while the window manager is still mapping the window finds it unfocused:
    focusing again and another Escape (which types nothing) set that right."""
    for _ in range(3):
        xdotool("windowfocus", "--sync", window)
        keys("Escape")
        if wait_fcitx5(r"program:wine\S* frontend:xim .*focus:1", timeout=5.0):
            return
    raise TestFailure(f"fcitx5 never saw the window focused:\n{fcitx5('DebugInfo')}")


def client_origin(window):
    info = run(["xwininfo", "-id", window])
    values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    size = int(values["Width"]), int(values["Height"])
    check(size == CLIENT_SIZE, f"client area is {size}, expected {CLIENT_SIZE}")
    return int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])


def glyph_pattern(pane, k):
    left, right, top = full_width_cell(k)
    return tuple(
        colour_class(pane.pixel(x, y)) == YELLOW
        for x in range(int(left), int(right))
        for y in range(int(top), int(top) + FULL_WIDTH)
    )


def check_cjk_glyphs(screen, origin):
    """The reference row shows real CJK glyphs: cells of different characters
    differ, where a missing font draws the same box for all of them."""
    pane = Pane(screen, origin, PIC_EGG)
    patterns = {glyph_pattern(pane, k) for k in range(10, 30)}
    check(len(patterns) >= 15, f"only {len(patterns)} distinct glyphs in 20 cells: boxes?")
    check(all(any(p) for p in patterns), "an empty cell where the lesson has a character")


def time_box(screen, origin):
    x0, y0, width, height = VALUE_TIME
    return bytes(
        v for y in range(height) for x in range(width) for v in screen.rgb(origin[0] + x0 + x, origin[1] + y0 + y)
    )


def row_length(screen, origin):
    """Cells of the upper pane's first row up to the last one with ink."""
    columns = Pane(screen, origin, PIC_EGG).yellow_columns(0)
    return 0 if not columns else int((max(columns) - 50 / 15) // FULL_WIDTH) + 1


def journal_folder():
    """%APPDATA%\\Keyloom of the throwaway prefix, as a Unix path."""
    app_data = run(["wine", "cmd", "/c", "echo %APPDATA%"], timeout=30).strip()
    return os.path.join(run(["winepath", "-u", app_data]).strip(), "Keyloom")


def journal_lines(folder, name):
    """The records of one of the journal's files, without its header."""
    try:
        with open(os.path.join(folder, name), encoding="utf-8") as lines:
            return lines.read().splitlines()[1:]
    except FileNotFoundError:
        return []


def save_to_journal(folder):
    """Alt+S in the open report writes the run under %APPDATA%: one run line
    and one line for each lesson character typed (我们人民，中国)."""
    check(not os.path.exists(folder), f"{folder} was made before anything was saved")
    keys("alt+s")
    deadline = time.monotonic() + 10
    while not journal_lines(folder, "runs.tsv") and time.monotonic() < deadline:
        time.sleep(0.1)
    runs = journal_lines(folder, "runs.tsv")
    check(len(runs) == 1 and "\t文档.txt\t" in runs[0], f"Alt+S saved the runs {runs}")
    characters = journal_lines(folder, "characters.tsv")
    check(len(characters) == 7, f"Alt+S saved the characters {characters}")


def list_ink_rows(window, box):
    """The pixel rows inside a list box of `window` (client pixels: left,
    top, width, height) that hold anything but its white."""
    info = run(["xwininfo", "-id", window])
    values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    x0 = int(values["Absolute upper-left X"]) + box[0]
    y0 = int(values["Absolute upper-left Y"]) + box[1]
    screen = Screen.grab()
    # Inside its border, left of its scroll bar.
    return [y for y in range(3, box[3] - 3)
            if any(screen.rgb(x0 + x, y0 + y) != (255, 255, 255) for x in range(3, box[2] - 24, 2))]


def open_by_key(window, key, caption, picture):
    """`key` in `window` opens the window captioned `caption`, focused and
    drawn; its picture is kept as `picture`. Returns its id."""
    xdotool("windowfocus", "--sync", window)
    keys(key)
    opened = find_window(caption, 10)
    check(opened is not None, f'{key} opened no window "{caption}"')
    xdotool("windowfocus", "--sync", opened)
    time.sleep(0.5)
    Screen.grab().save_png(output_path(picture))
    return opened


def close_with_escape(caption, what):
    """Esc closes the focused window captioned `caption`."""
    keys("Escape")
    deadline = time.monotonic() + 5
    while find_window(caption, 0.1) is not None and time.monotonic() < deadline:
        pass
    check(find_window(caption, 0.1) is None, f"Esc did not close {what}")


def check_history(window, folder):
    """F7 lists the saved run, one row, selected; Delete asks about it and
    No keeps it."""
    history = open_by_key(window, "F7", HISTORY_CAPTION, "win32-history.png")
    ink = list_ink_rows(history, HISTORY_RUNS)
    check(ink and ink[0] < 8 and ink[-1] - ink[0] < 2 * FULL_WIDTH,
          f"the history's runs: ink in rows {ink[:1]}..{ink[-1:]} of the list, expected one row")
    keys("Delete")
    deadline = time.monotonic() + 10
    question = None
    while question is None and time.monotonic() < deadline:
        question = next((w for w in visible_windows(HISTORY_CAPTION) if w != history), None)
        time.sleep(0.1)
    check(question is not None, "Delete in the history asked nothing")
    xdotool("windowfocus", "--sync", question)
    keys("alt+n")  # a plain n would go to the input method
    deadline = time.monotonic() + 5
    while question in visible_windows(HISTORY_CAPTION) and time.monotonic() < deadline:
        time.sleep(0.1)
    check(question not in visible_windows(HISTORY_CAPTION), "No left the question open")
    xdotool("windowfocus", "--sync", history)
    close_with_escape(HISTORY_CAPTION, "the history")
    check(len(journal_lines(folder, "runs.tsv")) == 1, "No in the question deleted the run")


def visible_windows(caption):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + caption + "$"],
                          capture_output=True, text=True).stdout.split()


def windows_shown():
    return visible_windows(MAIN_CAPTION)


def expect_lesson_shown(args, length, what, cwd, stdin_bytes=None, log=None):
    """Starts keyloom.exe with `args`, checks the length of the lesson it
    shows and returns the running process and its window."""
    process = subprocess.Popen(["wine", "keyloom.exe", *args], cwd=cwd,
                               stdin=subprocess.PIPE if stdin_bytes is not None else subprocess.DEVNULL,
                               stdout=log, stderr=log)
    if stdin_bytes is not None:
        process.stdin.write(stdin_bytes)
        process.stdin.close()
    window = find_window(MAIN_CAPTION, 30, process)
    check(window is not None, f"{what}: no window")
    origin = client_origin(window)
    screen, shown = wait_for_screen(lambda s: row_length(s, origin) == length)
    check(shown, f"{what}: the first row shows {row_length(screen, origin)} characters, expected {length}")
    return process, window


def close(process, window):
    xdotool("windowfocus", "--sync", window)
    keys("alt+F4")
    try:
        process.wait(15)
    except subprocess.TimeoutExpired:
        raise TestFailure("closing the window did not end the program")


def test_new_runs(folder, log):
    """keyloom.exe FILE (a bare name, from its folder), keyloom.exe - and F4."""
    with open(os.path.join(folder, "poem.txt"), "wb") as poem:
        poem.write("晚风轻轻吹过稻田边上".encode("gbk"))
    close(*expect_lesson_shown(["poem.txt"], 10, "keyloom.exe poem.txt", folder, log=log))
    close(*expect_lesson_shown(["-"], 4, "keyloom.exe -", folder, "春天来了".encode("utf-8"), log))

    process, window = expect_lesson_shown([], len(LESSON), "keyloom.exe", folder, log=log)
    clip = subprocess.Popen(["xclip", "-selection", "clipboard", "-loops", "1"], stdin=subprocess.PIPE)
    clip.communicate("山高\r\n水长".encode("utf-8"))
    xdotool("windowfocus", "--sync", window)
    keys("F4")
    try:
        status = process.wait(30)
    except subprocess.TimeoutExpired:
        raise TestFailure("F4: the old program did not end")
    check(status == 0, f"F4: the old program ended with status {status}")
    new = find_window(MAIN_CAPTION, 10)
    check(new is not None and windows_shown() == [new], f"F4: windows {windows_shown()}")
    origin = client_origin(new)
    screen, shown = wait_for_screen(lambda s: row_length(s, origin) == 4)
    check(shown, f"F4: the first row shows {row_length(screen, origin)} characters, expected 4")
    xdotool("windowfocus", "--sync", new)
    keys("alt+F4")
    deadline = time.monotonic() + 15
    while windows_shown() and time.monotonic() < deadline:
        time.sleep(0.1)
    check(not windows_shown(), "F4: the new window did not close")


def test_bad_new_text(folder, log):
    """keyloom.exe - with only white space: its reason in a message box,
    status 1, no main window."""
    process = subprocess.Popen(["wine", "keyloom.exe", "-"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=log, stderr=log)
    process.stdin.write(" \u3000\r\n".encode("utf-8"))
    process.stdin.close()
    box = find_window("KeyloomV1.0", 30, process)
    check(box is not None, "white space on standard input: no message box")
    check(not windows_shown(), "white space on standard input: a main window opened")
    xdotool("windowfocus", "--sync", box)
    keys("Return")
    try:
        status = process.wait(15)
    except subprocess.TimeoutExpired:
        raise TestFailure("white space on standard input: the program did not end")
    check(status == 1, f"white space on standard input: status {status}, expected 1")


def main():
    program, witness_source = map(os.path.abspath, sys.argv[1:3])
    folder = tempfile.mkdtemp(prefix="keyloom-exe-", dir=os.environ.get("DESKTOP_SESSION_TMP"))
    os.makedirs(os.path.join(folder, "txt"))
    shutil.copy2(program, os.path.join(folder, "keyloom.exe"))
    witness = os.path.join(folder, "witness.exe")
    shutil.copy2(witness_source, witness)
    with open(os.path.join(folder, "txt", "文档.txt"), "wb") as lesson:
        lesson.write(LESSON.encode("gbk"))
    prepare_prefix(witness)
    journal = journal_folder()

    log = open(os.path.join(folder, "wine.log"), "wb")
    process = subprocess.Popen(["wine", "keyloom.exe"], cwd=folder, stdin=subprocess.DEVNULL,
                               stdout=log, stderr=log)
    try:
        window = find_window(MAIN_CAPTION, 30, process)
        check(window is not None, f'no window "{MAIN_CAPTION}"')
        origin = client_origin(window)
        focus_input_context(window)

        screen, _ = wait_for_screen(lambda s: True)
        check_cjk_glyphs(screen, origin)
        before = time_box(screen, origin)

        keys(*"women", "space", delay_ms=60)
        keys(*"renmin", "space", delay_ms=60)
        keys("comma", delay_ms=60)
        expect_marks(origin, [GREEN] * 5, "women renmin ，")
        keys("t", "a", "space", delay_ms=60)
        screen = expect_marks(origin, [GREEN] * 5 + [RED], "ta: a wrong candidate")
        screen.save_png(output_path("win32-pinyin.png"))
        keys("BackSpace")
        expect_marks(origin, [GREEN] * 5, "Backspace")
        keys(*"zhongguo", "space", delay_ms=60)
        expect_marks(origin, [GREEN] * 7, "zhongguo")

        keys("ctrl+space")  # pinyin off: letters go straight to the box
        keys(*"nihao", "space", delay_ms=60)
        time.sleep(0.5)
        screen = expect_marks(origin, [GREEN] * 7, "letters with the input method off")
        keys("ctrl+space")
        check(time_box(screen, origin) != before, "the clock did not move")

        keys("F1")
        about = find_window(ABOUT_CAPTION, 10)
        check(about is not None, f'F1 opened no window "{ABOUT_CAPTION}"')
        keys("alt+s")
        deadline = time.monotonic() + 15
        while not os.path.exists(witness + ".witness") and time.monotonic() < deadline:
            time.sleep(0.1)
        check(os.path.exists(witness + ".witness"), "系统信息 did not start the witness program")
        xdotool("windowfocus", "--sync", about)
        close_with_escape(ABOUT_CAPTION, "the about box")

        open_by_key(window, "F2", REPORT_CAPTION, "win32-report.png")
        keys("alt+c")
        deadline = time.monotonic() + 5
        copied = ""
        while not RESULT_LINE.fullmatch(copied) and time.monotonic() < deadline:
            time.sleep(0.2)
            copied = subprocess.run(["xclip", "-selection", "clipboard", "-o"],
                                    capture_output=True, text=True).stdout
        check(RESULT_LINE.fullmatch(copied) is not None, f"Alt+C copied {copied!r}")
        save_to_journal(journal)
        close_with_escape(REPORT_CAPTION, "the report")
        check_history(window, journal)

        xdotool("windowfocus", "--sync", window)
        keys("alt+F4")
        try:
            status = process.wait(15)
        except subprocess.TimeoutExpired:
            raise TestFailure("closing the window did not end the program")
        check(status == 0, f"the program ended with status {status}")
        test_new_runs(folder, log)
        test_bad_new_text(folder, log)
        print("keyloom.exe under Wine with fcitx5 pinyin: ok")
        return 0
    except TestFailure as failure:
        Screen.grab().save_png(output_path("win32-failure.png"))
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        log.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
