# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the benchmark scripts: a private X server, a program folder with
# its lesson, and medians. Source it; BUILD names the bench build directory.

BUILD=${BUILD:-build/bench}
BENCH_TMP=$(mktemp -d /tmp/keyloom-bench.XXXXXX)
XVFB_PID=""

bench_cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$BENCH_TMP"
}
trap bench_cleanup EXIT

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$BENCH_TMP/display" \
        >"$BENCH_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$BENCH_TMP/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(cat "$BENCH_TMP/display")"
    unset QT_QPA_PLATFORM
    export XDG_RUNTIME_DIR=$BENCH_TMP/runtime
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

# A folder holding a copy of the program and txt/文档.txt: stage_program NAME LESSON
stage_program() {
    local dir=$BENCH_TMP/$1
    mkdir -p "$dir/txt"
    cp "$BUILD/app/keyloom" "$dir/keyloom"
    cp "$2" "$dir/txt/文档.txt"
    echo "$dir/keyloom"
}

# A lesson of about N bytes of Chinese text in UTF-8: make_lesson FILE BYTES.
# A character the cut splits is dropped (iconv says so and fails, having
# written the rest): the file stays valid UTF-8, and is not taken for GBK.
make_lesson() {
    (yes '中文打字练习的课文，一二三四五六七八九十，天地人你我他。' || true) | head -c "$2" |
        iconv -c -f UTF-8 -t UTF-8 >"$1" 2>/dev/null || [ -s "$1" ]
}

# The median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

RUNS=${RUNS:-9}
