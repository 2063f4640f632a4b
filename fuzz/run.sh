#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS seconds.
#
#   bash fuzz/run.sh 30                  # the CI smoke run
#   bash fuzz/run.sh 1800 object_model   # a long run of one target
#
# Each target starts from its seed corpus in fuzz/corpus/<target>/ and keeps
# what it learns in build-fuzz/corpus/<target>/. A finding stops the run with a
# crash file in build-fuzz/findings/ and a non-zero exit.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DXKDTAZV_FUZZ=ON -DXKDTAZV_TESTS=OFF -DXKDTAZV_AUTOMATION=ON -DXKDTAZV_TOOLS=ON \
  -DXKDTAZV_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"

targets=("$@")
if ((${#targets[@]} == 0)); then
  for binary in build-fuzz/fuzz/*_fuzzer; do
    name=$(basename "$binary")
    targets+=("${name%_fuzzer}")
  done
fi

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  if [[ ! -x build-fuzz/fuzz/${target}_fuzzer ]]; then
    echo "no fuzz target named $target" >&2
    exit 2
  fi
  mkdir -p "$corpus"
  echo "== $target: $seconds s"
  ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/${target}_fuzzer" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/${target}-" "$corpus" "fuzz/corpus/$target" 2>&1 |
    grep -E '^(stat::|Done|==[0-9]+==|SUMMARY|INFO: Seed|#[0-9]+ +DONE)' || true
  if ls build-fuzz/findings/"$target"-* >/dev/null 2>&1; then
    echo "$target: findings in build-fuzz/findings/" >&2
    exit 1
  fi
done
