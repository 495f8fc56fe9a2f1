#!/usr/bin/env bash
# Installs the Debian packages Zorvane 2 builds and runs with, if any are missing.
# With --fuzz, also clang and its run-time libraries for the libFuzzer targets in fuzz/.
# With --package, also the tools that build and check the .deb (scripts/package.sh, check-package.sh).
# With --bench, also Xvfb, GNU time and xdotool for bench/desktop_cost.sh.
# With --windows, also what scripts/build-windows.sh needs: Debian's mingw-w64 cross compilers,
# Wine and Xvfb to test under, the tools that record the music to Ogg Vorbis, zip, and a deb-src entry for
# Debian's archive, from which the libraries' sources are fetched.
set -euo pipefail
packages=(
  build-essential cmake pkg-config ccache
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libsdl2-image-dev libfluidsynth-dev libzstd-dev
  timgm6mb-soundfont fonts-liberation2
  libgtest-dev libbenchmark-dev nlohmann-json3-dev
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --package) packages+=(dpkg-dev fakeroot file lintian desktop-file-utils appstream) ;;
    --bench) packages+=(xvfb time xdotool) ;;
    --windows)
      packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 dpkg-dev
        fluidsynth vorbis-tools zip unzip xvfb xauth python3)
      windows=1 ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The libraries of the Windows build are built from Debian's source packages: apt needs a deb-src
# entry for the archive the machine installs from (the suites of its own deb entry).
if [ "${windows:-0}" = 1 ] && ! apt-get source --print-uris -qq libsdl2 >/dev/null 2>&1; then
  suites="$(sed -n 's/^Suites: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)"
  uris="$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)"
  if [ -z "$suites" ] && [ -f /etc/apt/sources.list ]; then
    line="$(grep -m1 '^deb [^ ]*debian/\? ' /etc/apt/sources.list || true)"
    uris="$(echo "$line" | awk '{print $2}')"
    suites="$(echo "$line" | awk '{print $3}')"
  fi
  : "${uris:=http://deb.debian.org/debian}" "${suites:=$(. /etc/os-release && echo "$VERSION_CODENAME")}"
  echo "Adding a deb-src entry for $uris $suites"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uris" "$suites" | $sudo tee /etc/apt/sources.list.d/zorvane2-deb-src.sources >/dev/null
  $sudo apt-get update -q
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
