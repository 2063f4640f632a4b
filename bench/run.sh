#!/usr/bin/env bash
# Runs the benchmarks of a build made with -DXKDTAZV_BENCH=ON.
set -euo pipefail
build=${1:-build-bench}
"$build/bench/xkdtazv_bench" --benchmark_counters_tabular=true
"$build/bench/xkdtazv_peak_memory"
if [[ -x "$build/bench/xkdtazv_convert_bench" ]]; then
  "$build/bench/xkdtazv_convert_bench" --benchmark_counters_tabular=true
fi
