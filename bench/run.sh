#!/usr/bin/env bash
# Runs the benchmarks of a build made with -DXKDTAZV_BENCH=ON.
#
#   bash bench/run.sh [BUILD_DIR] [--smoke]
#
# XKDTAZV_BENCH_DIR chooses where they write (a disk-backed directory gives
# meaningful ratios). --smoke runs each benchmark for about one iteration and
# the memory run with 1,000 payments: it shows that they build and run (as CI
# checks), not how fast anything is.
set -euo pipefail
build=${1:-build-bench}
directory=${XKDTAZV_BENCH_DIR:-${TMPDIR:-/tmp}/xkdtazv-bench}
options=(--benchmark_counters_tabular=true)
payments=()
if [[ ${2:-} == --smoke ]]; then
  options+=(--benchmark_min_time=0.001)
  payments=(1000)
fi
"$build/bench/xkdtazv_bench" "${options[@]}"
"$build/bench/xkdtazv_peak_memory" "$directory" "${payments[@]}"
"$build/bench/xkdtazv_peak_memory" "$directory" "${payments[@]:-32766}" pain001
if [[ -x "$build/bench/xkdtazv_command_bench" ]]; then
  "$build/bench/xkdtazv_command_bench" "${options[@]}"
fi
if [[ -x "$build/bench/xkdtazv_convert_bench" ]]; then
  "$build/bench/xkdtazv_convert_bench" "${options[@]}"
fi
python3 "$(dirname "$0")/python_host.py" "$build/automation/libXKDTAZV.so" "$directory"
