#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up with a 100 MB lesson beside one of 10 KB, alternating runs; both
# lessons are made here, at run time. Prints each median in ms.
#   bench/lesson_size.sh        after scripts/bench has built build/bench
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/lib.sh

start_xvfb
make_lesson "$BENCH_TMP/small.txt" 10240
make_lesson "$BENCH_TMP/huge.txt" 100000000
small=$(stage_program small "$BENCH_TMP/small.txt")
huge=$(stage_program huge "$BENCH_TMP/huge.txt")
rm "$BENCH_TMP/small.txt" "$BENCH_TMP/huge.txt"
sync # the fresh 100 MB are written back before anything is timed
"$BUILD/bench/wait_mapped" "$small" >/dev/null
"$BUILD/bench/wait_mapped" "$huge" >/dev/null
: >"$BENCH_TMP/small.ms"
: >"$BENCH_TMP/huge.ms"
for _ in $(seq "$RUNS"); do
    "$BUILD/bench/wait_mapped" "$small" >>"$BENCH_TMP/small.ms"
    "$BUILD/bench/wait_mapped" "$huge" >>"$BENCH_TMP/huge.ms"
done
echo "lesson_10k_ms=$(median <"$BENCH_TMP/small.ms")"
echo "lesson_100m_ms=$(median <"$BENCH_TMP/huge.ms")"
