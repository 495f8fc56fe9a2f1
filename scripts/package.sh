#!/usr/bin/env bash
# Builds the game's Debian package, build/zorvane2_VERSION_ARCH.deb, offline with CPack.
# It has a build tree of its own (build-package/): configured for /usr with the game in
# /usr/games as Debian keeps games, with Debian's hardening flags and the package's layout
# (compressed manual page, changelog, copyright file), without the tests and benchmarks.
# Prints the path of the package.
set -euo pipefail
cd "$(dirname "$0")/.."
# The folders CPack stages are made with the umask: a package wants them rwxr-xr-x.
umask 022
bash scripts/install-deps.sh --package >&2
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DZORVANE_PACKAGE=ON -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build build-package -j"$(nproc)" >&2
rm -f build-package/zorvane2_*.deb
(cd build-package && cpack -G DEB >&2)
debs=(build-package/zorvane2_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: CPack made no package (or more than one): ${debs[*]}" >&2
  exit 1
fi
mkdir -p build
rm -f build/zorvane2_*.deb
cp "${debs[0]}" build/
echo "build/$(basename "${debs[0]}")"
