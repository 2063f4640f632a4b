#!/usr/bin/env bash
# Runs the benchmarks of a build made with -DXKDTAZV_BENCH=ON.
#
#   bash bench/run.sh [BUILD_DIR] [--smoke]
#
# --smoke runs each benchmark for about one iteration: it shows that they build
# and run (as CI checks), not how fast anything is.
set -euo pipefail
build=${1:-build-bench}
options=(--benchmark_counters_tabular=true)
if [[ ${2:-} == --smoke ]]; then
  options+=(--benchmark_min_time=0.001)
fi
"$build/bench/xkdtazv_bench" "${options[@]}"
"$build/bench/xkdtazv_peak_memory"
if [[ -x "$build/bench/xkdtazv_convert_bench" ]]; then
  "$build/bench/xkdtazv_convert_bench" --benchmark_counters_tabular=true
fi
