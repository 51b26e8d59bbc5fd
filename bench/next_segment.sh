#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The next segment's window, under Xvfb: from the start of the new run that a
# judged segment hands over (keyloom --set ... --segment 2, which reads its set
# and takes out its segment) until the X server maps its window; the median
# in ms of RUNS (default 9).
#   bench/next_segment.sh       after scripts/bench has built build/bench
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/lib.sh

start_xvfb
program=$(stage_program segment txt/文档.txt)
cp -r "$BUILD/app/lessons" "$(dirname "$program")/lessons"
course=(--set 常用字前500 --length 20 --segment 2 --target 1000 --previous "达标 速度60字/分")
"$BUILD/bench/wait_mapped" "$program" "${course[@]}" >/dev/null # warm the file cache
: >"$BENCH_TMP/segment.ms"
for _ in $(seq "$RUNS"); do
    "$BUILD/bench/wait_mapped" "$program" "${course[@]}" >>"$BENCH_TMP/segment.ms"
done
echo "next_segment_ms=$(median <"$BENCH_TMP/segment.ms")"
