#!/usr/bin/env bash
# Runs the benchmarks of a build made with -DXKDTAZV_BENCH=ON. XKDTAZV_BENCH_DIR
# chooses where they write (a disk-backed directory gives meaningful ratios).
set -euo pipefail
build=${1:-build-bench}
directory=${XKDTAZV_BENCH_DIR:-${TMPDIR:-/tmp}/xkdtazv-bench}
"$build/bench/xkdtazv_bench" --benchmark_counters_tabular=true
"$build/bench/xkdtazv_peak_memory" "$directory"
python3 "$(dirname "$0")/python_host.py" "$build/automation/libXKDTAZV.so" "$directory"
