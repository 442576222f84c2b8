#!/usr/bin/env bash
# Builds the Debian package (build-pkg/tavrola_VERSION_ARCH.deb) with cpack -G DEB; the
# libraries it depends on are found by dpkg-shlibdeps. Prints the package's path last.
# Install it with: sudo apt-get install ./build-pkg/tavrola_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file >&2
dir=${TAVROLA_PKG_DIR:-build-pkg}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Debian's hardening flags (fortified functions, stack protector, full RELRO).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DTAVROLA_BUILD_TESTS=OFF -DTAVROLA_BUILD_BENCH=OFF "${launcher[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
rm -f "$dir"/tavrola_*.deb
(cd "$dir" && cpack -G DEB >&2)
ls "$PWD/$dir"/tavrola_*.deb
