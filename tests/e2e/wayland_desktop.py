# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Wayland side of the real-window tests: sway's tree for windows, grim
for the screen, wtype for keys. Run inside `scripts/desktop-session
--wayland`, which sets WAYLAND_DISPLAY and SWAYSOCK.
"""

import json
import subprocess
import time

from keyloom_desktop import Screen, run


def find_window(name, timeout, process=None):
    """sway's node of the window titled `name`, or None once `timeout` has
    passed or `process` has ended. Its "shell" says how the window came:
    "xdg_shell" for a native Wayland client, "xwayland" for an X client."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find_node(json.loads(run(["swaymsg", "--raw", "-t", "get_tree"])), name)
        if found is not None:
            return found
        if process is not None and process.poll() is not None:
            return None
        time.sleep(0.05)
    return None


def client_rect(node):
    """(x, y, width, height): the session's sway draws no borders, so a
    window's rectangle is its client area."""
    rect = node["rect"]
    return rect["x"], rect["y"], rect["width"], rect["height"]


def find_node(node, name):
    if node.get("name") == name and node.get("pid"):
        return node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        found = find_node(child, name)
        if found is not None:
            return found
    return None


def grab():
    data = subprocess.run(
        ["grim", "-t", "ppm", "-"], check=True, capture_output=True, timeout=10
    ).stdout
    return Screen.from_ppm(data)


def type_text(text):
    """Types `text` key by key on a virtual keyboard."""
    run(["wtype", "-d", "25", text])


def key(name, *modifiers):
    """One key by its xkb name (space, comma, BackSpace), with modifiers held."""
    command = ["wtype"]
    for modifier in modifiers:
        command += ["-M", modifier]
    command += ["-k", name]
    for modifier in modifiers:
        command += ["-m", modifier]
    run(command)
