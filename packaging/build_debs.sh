#!/usr/bin/env bash
# Builds the Debian packages into BUILD_DIR/debs and checks them with lintian
# and with a simulated `apt-get install` of all of them.
#
#   bash packaging/build_debs.sh [BUILD_DIR]      (default: build-package)
#
# Needs dpkg-dev, file and lintian (scripts/dev.sh package installs them). The
# build uses Debian's hardening flags from dpkg-buildflags, as a Debian build does.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DXKDTAZV_TESTS=OFF -DXKDTAZV_WERROR=ON \
  -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j"$(nproc)"

rm -rf "$build/debs"
(cd "$build" && cpack -G DEB -B "$PWD/debs" >/dev/null)
rm -rf "$build/debs/_CPack_Packages"
ls -1 "$build"/debs/*.deb

echo "== lintian"
lintian --fail-on error "$build"/debs/*.deb

echo "== apt-get install (simulated)"
apt-get install --simulate --no-install-recommends "$PWD/$build"/debs/*.deb | grep '^Inst' || true
apt-get install --simulate --no-install-recommends "$PWD/$build"/debs/*.deb >/dev/null
