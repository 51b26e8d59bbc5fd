# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the built keyloom program on a real X display and reads its window.

Used by the real-window tests, which run inside scripts/desktop-session (so
DISPLAY and the session bus are set). Standard library only; the screen is
read with ImageMagick's `import` and xdotool types the keys.
"""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import time
import zlib

MAIN_CAPTION = "Keyloom 1.0"
CLIENT_SIZE = (743, 450)
# Qt's scaling of the whole window, as on a HiDPI screen; the pixel checks of
# the panes expect 1.
SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))

# Window geometry at 96 dpi (15 twips to a pixel), in client pixels.
TWIPS_PER_PIXEL = 15.0
PIC_EGG = (4, 48)  # upper pane: reference rows and marks
PIC_TYPE = (4, 256)  # lower pane: typed rows and caret
PANE_SIZE = (713, 187)
ROW_PITCH = 350 / TWIPS_PER_PIXEL
ROW_LEFT = 50 / TWIPS_PER_PIXEL
ROW_LENGTH = 44
RING_ROWS = 8
MARK_HEIGHT = 16
FULL_WIDTH = 16  # a full-width character in the 12 pt row font

GREEN, RED, BLACK, YELLOW, OTHER = "G", "R", "K", "Y", "?"


class TestFailure(Exception):
    """A check failed; the message says what was expected and what was seen."""


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def mark_place(k):
    """Ring row and column of the k-th typed character (k from 1)."""
    return ((k - 1) // ROW_LENGTH) % RING_ROWS, (k - 1) % ROW_LENGTH


def full_width_cell(k):
    """Pane x range and top of mark k when every character before it in its
    row is full-width: (left, right, top) in pane pixels."""
    row, col = mark_place(k)
    left = ROW_LEFT + FULL_WIDTH * col
    return left, left + FULL_WIDTH, row * ROW_PITCH


# --- the program -------------------------------------------------------------


class Keyloom:
    """The built program, copied into a scratch folder with a lesson of the
    test's own beside it, so that it finds `txt/文档.txt` there."""

    def __init__(self, program, lesson_bytes=None, lesson_dir=True):
        self.folder = tempfile.mkdtemp(
            prefix="keyloom-e2e-", dir=os.environ.get("DESKTOP_SESSION_TMP")
        )
        self.program = os.path.join(self.folder, "keyloom")
        shutil.copy2(program, self.program)
        if lesson_dir:
            os.mkdir(os.path.join(self.folder, "txt"))
        if lesson_bytes is not None:
            with open(os.path.join(self.folder, "txt", "文档.txt"), "wb") as lesson:
                lesson.write(lesson_bytes)
        self.log_path = os.path.join(self.folder, "keyloom.log")
        self.process = None
        self.window = None

    def start(self, args=()):
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(
                [self.program, *args], stdin=subprocess.DEVNULL, stdout=log, stderr=log
            )
        return self

    def log(self):
        """What the program wrote on stdout and stderr."""
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            return log.read()

    def wait_for_window(self, timeout=10.0):
        """Waits until the main window is mapped and has the keyboard focus."""
        self.window = find_window(MAIN_CAPTION, timeout, self.process)
        check(self.window is not None, f'no window "{MAIN_CAPTION}" within {timeout} s')
        xdotool("windowfocus", "--sync", self.window)
        return self.window

    def client_origin(self):
        """Screen position of the client area (there is no window manager, so
        no frame: the window's own origin)."""
        info = run(["xwininfo", "-id", self.window])
        values = dict(
            line.strip().split(":", 1) for line in info.splitlines() if ":" in line
        )
        origin = int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])
        size = int(values["Width"]), int(values["Height"])
        expected = tuple(round(SCALE * extent) for extent in CLIENT_SIZE)
        check(size == expected, f"client area is {size}, expected {expected}")
        return origin

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop_program(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            if self.wait_exit(3) is None:
                self.process.kill()
                self.process.wait()

    def stop(self):
        self.stop_program()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


# --- X tools -----------------------------------------------------------------


def run(command, timeout=10):
    return subprocess.run(
        command, check=True, capture_output=True, text=True, timeout=timeout
    ).stdout


def fcitx5(method):
    """fcitx5's answer to one call of its controller on the session bus."""
    return run(
        [
            "dbus-send",
            "--session",
            "--print-reply",
            "--dest=org.fcitx.Fcitx5",
            "/controller",
            "org.fcitx.Fcitx.Controller1." + method,
        ],
        timeout=5,
    )


def wait_fcitx5(pattern, method="DebugInfo", timeout=5.0):
    """Waits until fcitx5's answer to `method` matches `pattern`."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if re.search(pattern, fcitx5(method)):
            return True
        time.sleep(0.05)
    return False


def xdotool(*args):
    return run(["xdotool", *map(str, args)])


def keys(*names, delay_ms=25):
    """Presses and releases each X key name in turn (comma, BackSpace, ...)."""
    if names:
        xdotool("key", "--delay", delay_ms, *names)


def find_window(name, timeout, process=None, visible=True):
    """Id of the first window whose name is exactly `name`, or None once
    `timeout` has passed or `process` has ended."""
    deadline = time.monotonic() + timeout
    command = ["xdotool", "search"] + (["--onlyvisible"] if visible else [])
    command += ["--name", "^" + name + "$"]
    while time.monotonic() < deadline:
        found = subprocess.run(command, capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        if process is not None and process.poll() is not None:
            return None
        time.sleep(0.05)
    return None


def window_geometry(window):
    """(x, y, width, height) of a window on the screen."""
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


# --- the screen --------------------------------------------------------------


class Screen:
    """One screenshot of the whole display, 8 bits a channel."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @classmethod
    def grab(cls):
        data = subprocess.run(
            ["import", "-window", "root", "-depth", "8", "ppm:-"],
            check=True,
            capture_output=True,
            timeout=10,
        ).stdout
        return cls.from_ppm(data)

    @classmethod
    def from_ppm(cls, data):
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maximum value
            while data[pos : pos + 1].isspace():
                pos += 1
            if data[pos : pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end : end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        check(fields[0] == b"P6" and fields[3] == b"255", f"unexpected PPM header {fields}")
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[pos + 1 : pos + 1 + 3 * width * height])

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i : i + 3])

    def save_png(self, path):
        raw = b"".join(
            b"\x00" + self.pixels[3 * y * self.width : 3 * (y + 1) * self.width]
            for y in range(self.height)
        )

        def chunk(kind, body):
            return (
                struct.pack(">I", len(body))
                + kind
                + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
            )

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as png:
            png.write(b"\x89PNG\r\n\x1a\n")
            png.write(chunk(b"IHDR", header))
            png.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            png.write(chunk(b"IEND", b""))


def colour_class(rgb):
    r, g, b = rgb
    if g > 200 and r < 80 and b < 80:
        return GREEN
    if r > 200 and g < 80 and b < 80:
        return RED
    if r < 40 and g < 40 and b < 40:
        return BLACK
    if r > 200 and g > 200 and b < 80:
        return YELLOW
    return OTHER


class Pane:
    """One of the two black panes of the main window, read from a screenshot."""

    def __init__(self, screen, client_origin, pane_origin):
        self.screen = screen
        self.x0 = client_origin[0] + pane_origin[0]
        self.y0 = client_origin[1] + pane_origin[1]

    def pixel(self, x, y):
        return self.screen.rgb(self.x0 + x, self.y0 + y)

    def band_rows(self, row):
        """Pixel rows inside the mark band of ring row `row`, one pixel in
        from each edge so that rounding of the fractional tops cannot matter."""
        top = row * ROW_PITCH
        return range(int(top) + 2, int(top + MARK_HEIGHT) - 1)

    def column_colour(self, row, x):
        """The background colour of column x in ring row `row`: the glyph of a
        mark's caption (yellow and its blends) is ignored."""
        counts = {}
        for y in self.band_rows(row):
            kind = colour_class(self.pixel(x, y))
            counts[kind] = counts.get(kind, 0) + 1
        for kind in (GREEN, RED):
            if counts.get(kind, 0) >= 3:
                return kind
        return BLACK if counts.get(BLACK, 0) >= 3 else OTHER

    def mark_runs(self, row):
        """The coloured stretches of ring row `row` from left to right, as
        (colour, first x, last x + 1); adjacent marks of one colour merge, and
        so do the two sides of a caption glyph that fills whole columns."""
        runs = []
        for x in range(PANE_SIZE[0]):
            kind = self.column_colour(row, x)
            if kind not in (GREEN, RED, BLACK):
                continue  # a glyph column: it belongs to the run around it
            if runs and runs[-1][0] == kind:
                runs[-1][2] = x + 1
            else:
                runs.append([kind, x, x + 1])
        return [tuple(run) for run in runs if run[0] != BLACK]

    def cell_colour(self, left, right, top):
        """What fills a cell (fractional pane pixels), sampled inside it away
        from its edges, the caption's glyph aside: GREEN, RED, BLACK (no mark)
        or OTHER (a mix)."""
        row = round(top / ROW_PITCH)
        counts = {GREEN: 0, RED: 0}
        inside = [(x, y) for x in range(int(left) + 2, int(right) - 1) for y in self.band_rows(row)]
        for x, y in inside:
            kind = colour_class(self.pixel(x, y))
            if kind in counts:
                counts[kind] += 1
        for kind, other in ((GREEN, RED), (RED, GREEN)):
            if counts[kind] >= len(inside) // 4 and counts[other] == 0:
                return kind
        return BLACK if counts[GREEN] + counts[RED] == 0 else OTHER

    def yellow_columns(self, row):
        """Columns of ring row `row` holding yellow (typed text or the caret)."""
        top = int(row * ROW_PITCH)
        return {
            x
            for x in range(PANE_SIZE[0])
            for y in range(top, top + MARK_HEIGHT + 1)
            if colour_class(self.pixel(x, y)) == YELLOW
        }


def wait_for_screen(predicate, timeout=5.0, grab=None):
    """Grabs the screen (with `grab`, X's by default) until
    `predicate(screen)` holds; returns the last screen and whether it held."""
    grab = grab or Screen.grab
    deadline = time.monotonic() + timeout
    while True:
        screen = grab()
        if predicate(screen):
            return screen, True
        if time.monotonic() >= deadline:
            return screen, False
        time.sleep(0.1)


def cells_shown(screen, origin, count):
    """Colours of cells 1 to `count` of the upper pane."""
    pane = Pane(screen, origin, PIC_EGG)
    return [pane.cell_colour(*full_width_cell(k)) for k in range(1, count + 1)]


def expect_marks(origin, colours, what, timeout=5.0, grab=None):
    """Waits until cells 1..n show `colours` and the two cells after them
    are still black; returns the screen."""
    expected = colours + [BLACK, BLACK]
    screen, ok = wait_for_screen(
        lambda s: cells_shown(s, origin, len(expected)) == expected, timeout, grab
    )
    check(ok, f"{what}: cells show {cells_shown(screen, origin, len(expected))}, expected {expected}")
    return screen


def output_path(name):
    """Where a screenshot goes: the folder given by KEYLOOM_E2E_OUTPUT (the
    build tree) or the current one."""
    folder = os.environ.get("KEYLOOM_E2E_OUTPUT", ".")
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)
