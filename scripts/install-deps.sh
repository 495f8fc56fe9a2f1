#!/usr/bin/env bash
# Installs the Debian packages Zorvane 2 builds and runs with, if any are missing.
# With --fuzz, also clang and its run-time libraries for the libFuzzer targets in fuzz/.
# With --package, also the tools that build and check the .deb (scripts/package.sh, check-package.sh).
# With --bench, also Xvfb, GNU time and xdotool for bench/desktop_cost.sh.
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
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
