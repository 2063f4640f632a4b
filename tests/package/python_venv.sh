#!/usr/bin/env bash
# pip installs ./python into a fresh virtual environment without network
# access, and the environment's Python creates objects from libXKDTAZV.so.1,
# found by its soname with nothing registered.
#
#   bash tests/package/python_venv.sh SOURCE_DIR WORK_DIR LIBRARY_DIR VERSION
#
# The build uses the interpreter's own setuptools and wheel (Debian:
# python3-venv, python3-setuptools, python3-wheel); an interpreter without them
# skips the test (status 77).
set -euo pipefail
source_dir=$1 work=$2 library_dir=$3 version=$4

python=
for candidate in ${PYTHON:-} /usr/bin/python3 python3; do
  if "$candidate" -c 'import ensurepip, setuptools, venv, wheel' 2>/dev/null; then
    python=$candidate
    break
  fi
done
if [[ -z $python ]]; then
  echo "skipped: no Python with venv, setuptools and wheel"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/out"
# setuptools builds inside the project it is given: give it a copy.
cp -r "$source_dir/python" "$work/source"
rm -rf "$work/source/tests"
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-build-isolation --no-index --no-deps \
  --no-cache-dir "$work/source"

installed=$("$work/venv/bin/python" -c 'import importlib.metadata as m; print(m.version("xkdtazv"))')
if [[ $installed != "$version" ]]; then
  echo "pip installed xkdtazv $installed; the project is $version" >&2
  exit 1
fi
cd "$work"
env -u XKDTAZV_LIBRARY LD_LIBRARY_PATH="$library_dir" XDG_DATA_HOME="$work/data" \
  PYTHONDONTWRITEBYTECODE=1 \
  "$work/venv/bin/python" "$source_dir/tests/package/installed_python_host.py" "$work/venv" \
  "$library_dir" "$work/out"
