#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Memory under Xvfb: the resident set (VmRSS) 2 s after start, for the
# program and for a minimal Qt 6 window, and the program's after CHARS
# (default 20,000) characters typed with the comma key through the real X
# keyboard path. The lesson is the bundled one ten times over, so that the
# run stays inside it, as a practice run does. Prints KiB.
#   bench/memory.sh             after scripts/bench has built build/bench
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/lib.sh
CHARS=${CHARS:-20000}

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Starts a program, waits until its window is mapped, then until 2 s after
# its start; leaves its pid in $started.
start_and_settle() {
    local begin
    begin=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    started=$!
    xdotool search --sync --pid "$started" --onlyvisible >/dev/null
    local waited_ms=$((($(date +%s%N) - begin) / 1000000))
    [ "$waited_ms" -lt 2000 ] && sleep "$(awk -v ms="$waited_ms" 'BEGIN { print (2000 - ms) / 1000 }')"
    return 0
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

start_xvfb
lesson=$BENCH_TMP/lesson.txt
for _ in $(seq 10); do cat txt/文档.txt; done >"$lesson"
program=$(stage_program memory "$lesson")

start_and_settle "$BUILD/bench/minimal_window"
echo "rss_minimal_start_kib=$(rss_kib "$started")"
stop "$started"

start_and_settle "$program"
echo "rss_keyloom_start_kib=$(rss_kib "$started")"
window=$(xdotool search --pid "$started" --onlyvisible | head -n 1)
xdotool windowfocus --sync "$window"
# The comma key is scored like an input-method character; in chunks, so
# that no command line grows too long.
chunk=$(printf ',%.0s' $(seq 1000))
for _ in $(seq $((CHARS / 1000))); do
    xdotool type --delay 0 "$chunk"
done
sleep 1 # let the last keys through
echo "rss_keyloom_after_kib=$(rss_kib "$started")"
stop "$started"
