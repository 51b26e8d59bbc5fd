#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up to the window shown, under Xvfb: process start until the X server
# maps the window, for the program and for a minimal Qt 6 window, alternating
# runs; prints each median in ms. RUNS (default 9) runs of each.
#   bench/startup.sh            after scripts/bench has built build/bench
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/lib.sh

start_xvfb
program=$(stage_program startup txt/文档.txt)
"$BUILD/bench/wait_mapped" "$program" >/dev/null # warm the file cache
"$BUILD/bench/wait_mapped" "$BUILD/bench/minimal_window" >/dev/null
: >"$BENCH_TMP/keyloom.ms"
: >"$BENCH_TMP/minimal.ms"
for _ in $(seq "$RUNS"); do
    "$BUILD/bench/wait_mapped" "$program" >>"$BENCH_TMP/keyloom.ms"
    "$BUILD/bench/wait_mapped" "$BUILD/bench/minimal_window" >>"$BENCH_TMP/minimal.ms"
done
echo "startup_keyloom_ms=$(median <"$BENCH_TMP/keyloom.ms")"
echo "startup_minimal_ms=$(median <"$BENCH_TMP/minimal.ms")"
