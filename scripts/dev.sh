#!/usr/bin/env bash
# Sets this machine up for XKDTAZV (only what is missing) and runs one job.
#
#   bash scripts/dev.sh example    build, generate the shipped example into ./out, inspect it
#   bash scripts/dev.sh test       build and run every test
#   bash scripts/dev.sh sanitize   the whole suite once more under AddressSanitizer and UBSan
#   bash scripts/dev.sh bench      build and run the benchmarks (--smoke: about one iteration each)
#   bash scripts/dev.sh fuzz [S]   every fuzz target for S seconds (default 60)
#   bash scripts/dev.sh valgrind   the C and Python hosts of libXKDTAZV.so under memcheck
#   bash scripts/dev.sh release    Release builds with g++ and with clang++, each with its tests
#   bash scripts/dev.sh package    the Debian packages: build, lintian, run them unpacked
#   bash scripts/dev.sh abi        libXKDTAZV.so's exported interface against the last release's
set -euo pipefail
cd "$(dirname "$0")/.."

readonly PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config python3 locales valgrind
  libgtest-dev libgmock-dev libbenchmark-dev libicu-dev libcli11-dev nlohmann-json3-dev libxml2-dev)
# The offline pip install into a virtual environment that the tests try.
readonly PYTHON_PACKAGING=(python3-venv python3-setuptools python3-wheel)
# What only one job needs, installed when that job runs.
readonly DEB_TOOLS=(dpkg-dev file lintian)
readonly ABI_PACKAGES=(abigail-tools)

# install_missing_packages [MORE...]: PACKAGES and MORE, those not installed yet.
install_missing_packages() {
  local missing=()
  for package in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# The tests run in a "," locale and a "." locale.
generate_locales() {
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    echo "Generating the de_DE.UTF-8 locale"
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
}

# build DIR [CMAKE_ARGS...]; BUILD_TARGET limits the build to one target.
# Warnings are errors here, where XKDTAZV is developed.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DXKDTAZV_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
}

run_tests() {
  ctest --test-dir "$1" --output-on-failure -j"$(nproc)" --timeout 600
}

readonly SANITIZE_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

job=${1:-test}
install_missing_packages "${PYTHON_PACKAGING[@]}"
generate_locales
case "$job" in
  example)
    BUILD_TARGET=xkdtazv_cli build build
    bash examples/run_example.sh build
    ;;
  test)
    build build
    run_tests build
    ;;
  sanitize)
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DXKDTAZV_SANITIZE=ON \
      -DCMAKE_CXX_FLAGS="$SANITIZE_FLAGS" -DCMAKE_C_FLAGS="$SANITIZE_FLAGS" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      run_tests build-sanitize
    ;;
  bench)
    build build-bench -DCMAKE_BUILD_TYPE=Release -DXKDTAZV_BENCH=ON -DXKDTAZV_TESTS=OFF
    bash bench/run.sh build-bench "${2:-}"
    ;;
  fuzz)
    bash fuzz/run.sh "${2:-60}" "${@:3}"
    ;;
  valgrind)
    # The ordinary build, as the test job leaves it: memcheck needs no instrumented one.
    build build
    bash tests/valgrind/run.sh build
    ;;
  release)
    # The build a user gets from a plain `cmake -DCMAKE_BUILD_TYPE=Release`, with both compilers.
    build build-release-gcc -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc \
      -DCMAKE_CXX_COMPILER=g++
    run_tests build-release-gcc
    build build-release-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++
    run_tests build-release-clang
    ;;
  package)
    install_missing_packages "${DEB_TOOLS[@]}"
    bash packaging/build_debs.sh build-package
    bash tests/package/unpacked_debs.sh build-package/debs
    ;;
  abi)
    install_missing_packages "${ABI_PACKAGES[@]}"
    BUILD_TARGET=XKDTAZV build build
    bash scripts/abi_check.sh build
    ;;
  *)
    echo "usage: $0 example|test|sanitize|bench [--smoke]|fuzz [SECONDS]|valgrind|release|package|abi" >&2
    exit 2
    ;;
esac
