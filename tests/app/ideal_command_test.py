#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""keyloom --ideal TABLE [FILE|-] on the terminal, with no display:

    ideal_command_test.py PATH/TO/keyloom

Each case runs the real program over a learner's own table in a throwaway
XDG_DATA_HOME and checks its exit status, standard output and error.
"""

import os
import subprocess
import sys
import tempfile

OWN_TABLE = "\ufeff# 自己的码表\r\n中\tk\r\n国\tl\r\n中国\tkhlg\t9\r\n人\tw\r\n人\twww\r\n"
BAD_TABLE = "中\tk\n中 国\tkhlg\n国\tl1\n中\tk\n"

# (what, arguments, standard input, exit status, stdout, a text stderr must hold or "")
CASES = [
    ("a word, a mark, a character and one of no entry, from standard input",
     ["--ideal", "自己", "-"], "中国，人😀",
     0, "中国\tkhlg\t4\n，\t-\t1\n人\tw\t2\n😀\t?\t0\n理想码长 1.75 键数 7 字数 4 无编码 1\n", ""),
    ("lines are joined as a lesson's are",
     ["--ideal", "自己", "-"], "中\n国\r\n\r\n人",
     0, "中国\tkhlg\t4\n人\tw\t2\n理想码长 2.00 键数 6 字数 3 无编码 0\n", ""),
    ("a text file", ["--ideal", "自己", "{lesson}"], "",
     0, "中\tk\t2\n理想码长 2.00 键数 2 字数 1 无编码 0\n", ""),
    ("nothing covered", ["--ideal", "自己", "-"], "😀",
     0, "😀\t?\t0\n理想码长 0.00 键数 0 字数 0 无编码 1\n", ""),
    ("bad lines are skipped and told once",
     ["--ideal", "坏行", "-"], "中国",
     0, "中\tk\t2\n国\t?\t0\n理想码长 2.00 键数 2 字数 1 无编码 1\n", "跳过了 3 行无效的行（第一处在第 2 行）"),
    ("a table with no good line is refused", ["--ideal", "空", "-"], "中",
     1, "", "没有一行可用"),
    ("an unknown table: the tables' names", ["--ideal", "仓颉", "-"], "中",
     2, "", "五笔86 拼音 坏行 空 自己"),
]


def main():
    program = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as home:
        codes = os.path.join(home, "keyloom", "codes")
        os.makedirs(codes)
        for name, table in (("自己", OWN_TABLE), ("坏行", BAD_TABLE), ("空", "# 空\n")):
            with open(os.path.join(codes, name + ".txt"), "w", encoding="utf-8", newline="") as f:
                f.write(table)
        lesson = os.path.join(home, "lesson.txt")
        with open(lesson, "wb") as f:
            f.write("中".encode("gbk"))
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["XDG_DATA_HOME"] = home
        env["QT_QPA_PLATFORM"] = "no-such-platform"
        for what, args, stdin, status, stdout, stderr in CASES:
            args = [a.replace("{lesson}", lesson) for a in args]
            run = subprocess.run([program, *args], input=stdin.encode(), capture_output=True,
                                 env=env, timeout=30)
            out, err = run.stdout.decode(), run.stderr.decode()
            if run.returncode != status or out != stdout or stderr not in err or (
                    not stderr and err):
                failures.append(f"{what}: status {run.returncode}, stdout {out!r}, stderr {err!r}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
