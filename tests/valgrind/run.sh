#!/usr/bin/env bash
# Runs the hosts of libXKDTAZV.so under valgrind's memcheck: the C host, the
# tests of the C interface and the Python host tests. Any invalid access, any
# decision on an uninitialised value and any definite leak fails the run.
#
#   bash tests/valgrind/run.sh [BUILD_DIR]     (default: build)
#
# The build is an ordinary one; memcheck needs no instrumented code.
#
# Python runs on Debian's interpreter with PYTHONMALLOC=malloc, so that
# memcheck sees each of its allocations; that interpreter reports nothing of
# its own, so nothing is suppressed. Self-built interpreters (pyenv) report
# uninitialised reads at start-up already; hiding those would also hide values
# this library hands the interpreter, so they are not used here.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
python=${XKDTAZV_VALGRIND_PYTHON:-/usr/bin/python3}

library=$build/automation/libXKDTAZV.so
c_host=$build/automation/c_host/xkdtazv_c_host
interface_tests=$build/automation/tests/xkdtazv_automation_tests
reference_writer=$build/automation/tests/xkdtazv_reference_writer
for needed in "$library" "$c_host" "$interface_tests" "$reference_writer" "$python"; do
  if [[ ! -x $needed && ! -f $needed ]]; then
    echo "missing: $needed (build $build first)" >&2
    exit 2
  fi
done

memcheck=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite
  --errors-for-leak-kinds=definite --error-exitcode=1 --num-callers=30 --quiet)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 XDG_DATA_HOME=$work/data

echo "== C host"
mkdir -p "$work/c_host"
"${memcheck[@]}" "$c_host" "$work/c_host" "$library" >/dev/null

echo "== C interface tests"
"${memcheck[@]}" "$interface_tests" --gtest_brief=1

echo "== Python host tests"
mapfile -t modules < <(cd python/tests && ls test_*.py | sed 's/\.py$//')
(
  cd python/tests
  XKDTAZV_LIBRARY=$library XKDTAZV_C_HOST=$c_host XKDTAZV_REFERENCE_WRITER=$reference_writer \
    PYTHONPATH=$PWD/.. PYTHONDONTWRITEBYTECODE=1 PYTHONMALLOC=malloc \
    "${memcheck[@]}" "$python" -m unittest "${modules[@]}"
)
echo "memcheck: no errors"
