#!/bin/sh
# Generates the example batch into ./out with a built xkdtazv command, then
# inspects the written file the way a bank would. One payment carries umlauts
# on purpose, so both the component and the bank check have findings to show;
# a second run with --transliterate writes them as AE, OE, UE, SS into a clean
# file.
#
#   examples/run_example.sh [BUILD_DIR]      (default: build)
#
# Exits 0 when the file was written and inspected, whatever the findings;
# otherwise with the command's status (2 input error, 3 the run failed).
set -u

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
xkdtazv="$build/cli/xkdtazv"
if [ ! -x "$xkdtazv" ]; then
  echo "run_example.sh: no xkdtazv command in $build/cli; build the project first" >&2
  exit 2
fi

mkdir -p out
echo "== xkdtazv generate examples/payments.json --out out"
"$xkdtazv" generate "$here/payments.json" --out out --name DTAZV
status=$?
[ "$status" -le 1 ] || exit "$status"

echo
echo "== xkdtazv inspect out/DTAZV"
"$xkdtazv" inspect out/DTAZV
status=$?
[ "$status" -le 1 ] || exit "$status"

echo
echo "== xkdtazv generate examples/payments.json --out out --name DTAZV_CLEAN --transliterate"
"$xkdtazv" generate "$here/payments.json" --out out --name DTAZV_CLEAN --transliterate
status=$?
[ "$status" -eq 0 ] || exit "$status"

# The same payments exported as CSV (Windows-1252) give the same file.
echo
echo "== xkdtazv generate examples/payments.csv --sender examples/sender.json --out out --name DTAZV_CSV"
"$xkdtazv" generate "$here/payments.csv" --sender "$here/sender.json" --out out --name DTAZV_CSV \
  > /dev/null
status=$?
[ "$status" -le 1 ] || exit "$status"
if cmp -s out/DTAZV out/DTAZV_CSV; then
  echo "out/DTAZV_CSV is byte for byte the same as out/DTAZV."
else
  echo "out/DTAZV_CSV differs from out/DTAZV." >&2
  exit 1
fi

# Foreign currencies and accounts without IBAN, as pain.001 documents by order type.
echo
echo "== xkdtazv generate examples/payments_pain001.json --format pain.001 --out out"
"$xkdtazv" generate "$here/payments_pain001.json" --format pain.001 --out out
status=$?
[ "$status" -le 1 ] || exit "$status"
exit 0
