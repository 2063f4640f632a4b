#!/usr/bin/env bash
# Unpacks the Debian packages into one scratch folder and runs them from there:
# the xkdtazv command on the shipped example, and the Python package creating
# an object from libXKDTAZV.so.1 found by its soname. Also checks that each
# package depends on what it loads.
#
#   bash tests/package/unpacked_debs.sh DEB_DIR     (packaging/build_debs.sh makes them)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
debs=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

depends_on() {  # PACKAGE NEEDED: fails unless one of the package's Depends begins with NEEDED
  local depends
  depends=$(dpkg-deb -f "$debs/$1"_*.deb Depends)
  if [[ ", $depends" != *", $2"* ]]; then
    echo "$1 does not depend on $2: $depends" >&2
    exit 1
  fi
}
depends_on libxkdtazv1 libicu
depends_on libxkdtazv-dev libxkdtazv1
depends_on xkdtazv libxkdtazv1
depends_on python3-xkdtazv libxkdtazv1
depends_on python3-xkdtazv python3

for deb in "$debs"/*.deb; do
  dpkg-deb -x "$deb" "$root"
done
library=$(find "$root/usr/lib" -name libXKDTAZV.so.1)
export LD_LIBRARY_PATH=${library%/*} XDG_DATA_HOME=$root/data PYTHONDONTWRITEBYTECODE=1
unset XKDTAZV_LIBRARY

echo "== xkdtazv generate (the shipped example)"
mkdir "$root/out"
status=0
"$root/usr/bin/xkdtazv" generate "$root/usr/share/doc/xkdtazv/examples/payments.json" \
  --out "$root/out" --name DTAZV >"$root/generate.log" || status=$?
# The example carries findings on purpose: the file is written, the status is 1.
if ((status > 1)) || [[ ! -s $root/out/DTAZV ]]; then
  cat "$root/generate.log" >&2
  echo "xkdtazv generate gave status $status" >&2
  exit 1
fi
grep '^Summary:' "$root/generate.log"

echo "== python3: import xkdtazv; xkdtazv.CreateObject(\"XKDTAZV.DtAzvDatei\")"
mkdir "$root/python"
PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 \
  "$here/installed_python_host.py" "$root/usr" "$root/usr" "$root/python"
