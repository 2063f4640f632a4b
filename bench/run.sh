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

# Instructions per payment do not depend on the machine's load; callgrind counts
# them where the kernel gives the memory run no counters (2,000 payments).
count_instructions() {  # LABEL FUNCTION [MODE]
  local out
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="$2" \
    "$build/bench/xkdtazv_peak_memory" "$directory" 2000 ${3:+"$3"} >/dev/null 2>&1
  local total
  total=$(awk '/^summary:/ {print $2; exit}' "$out")
  rm -f "$out"
  echo "instructions per payment in $1 (callgrind, 2,000 payments): $((total / 2000))"
}
if [[ ${2:-} != --smoke ]] && command -v valgrind >/dev/null; then
  count_instructions Generate 'xkdtazv::DtAzvDatei::Generate[abi:cxx11]()'
  count_instructions GeneratePain001 'xkdtazv::DtAzvDatei::GeneratePain001[abi:cxx11]()' pain001
fi
