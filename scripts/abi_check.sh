#!/usr/bin/env bash
# Compares the exported interface of libXKDTAZV.so with the last release's
# (abi/libXKDTAZV.so.1.0.abi, written by abidw from the release's library and
# its automation.h): additions pass; any other change fails.
#
#   bash scripts/abi_check.sh [BUILD_DIR]        (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
library="$build/automation/libXKDTAZV.so"
baseline=abi/libXKDTAZV.so.1.0.abi
headers=automation/include/xkdtazv

status=0
abidiff --exported-interfaces-only --headers-dir2 "$headers" "$baseline" "$library" || status=$?
if ((status & 1)); then
  echo "abi_check.sh: abidiff could not compare $baseline with $library" >&2
  exit 1
fi
if ((status & 8)); then
  echo "abi_check.sh: $library breaks the interface of the last release" >&2
  exit 1
fi
if ((status & 4)); then
  # Something changed: it passes only when it was nothing but additions.
  status=0
  abidiff --exported-interfaces-only --no-added-syms --headers-dir2 "$headers" "$baseline" "$library" >/dev/null ||
    status=$?
  if ((status != 0)); then
    echo "abi_check.sh: $library changes more than it adds (abidiff status $status)" >&2
    exit 1
  fi
fi
echo "abi_check.sh: $library keeps the last release's interface (additions only)"
