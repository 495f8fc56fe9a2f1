#!/usr/bin/env bash
# Builds the libraries the Windows game is linked with, from Debian's source packages, with
# Debian's mingw-w64, into a cache folder outside the checkout, and prints that folder:
#   ${ZORVANE_CACHE:-~/.cache/zorvane2}/win64/<source versions>-<recipe>/
#     prefix/    headers, static libraries and pkg-config files
#     licences/  each library's licence, for the zip
# A folder that is complete (its stamp written last) is used as it is: the libraries are built
# again only when a source version, the compiler or this recipe changes.
#
# Each library is built as small as the game allows, and statically, so the game is one .exe:
#   SDL2        video (Direct3D or software rendering), events, audio, joysticks and game
#               controllers (XInput and DirectInput), threads, timers; no OpenGL, Vulkan, haptics,
#               sensors, power, HIDAPI or disk audio
#   SDL2_mixer  WAV for the effects and Ogg Vorbis for the music, nothing else
#   SDL2_image  saving PNG screenshots (miniz inside), loading nothing
#   zstd        the decompressor alone (the art is unpacked at start-up)
#   libogg, libvorbis   the music's decoder
# The deb-src entry this needs is added by scripts/install-deps.sh --windows.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
toolchain="$here/../cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
sources=(libsdl2 libsdl2-mixer libsdl2-image libzstd libogg libvorbis)

# The version of each source package apt would fetch (the newest the deb-src entries offer).
versions=""
for s in "${sources[@]}"; do
  v="$(apt-get source --print-uris -qq "$s" 2>/dev/null | awk -v p="${s}_" '$2 ~ "^" p ".*\\.dsc$" { sub("^" p, "", $2); sub("\\.dsc$", "", $2); print $2 }' | head -1)"
  if [ -z "$v" ]; then
    echo "windows-libs.sh: no source package $s (is the deb-src entry there? scripts/install-deps.sh --windows adds it)" >&2
    exit 1
  fi
  versions+="${s#lib}-${v}_"
done
compiler="$(x86_64-w64-mingw32-gcc-posix -dumpversion)"
# The recipe is this script and the toolchain file, by content only: a clone anywhere finds the cache.
recipe="$(cat "$0" "$toolchain" | sha256sum | cut -c1-10)"
key="$(echo "${versions}gcc${compiler}" | tr -c 'A-Za-z0-9.+_\n-' '_')-$recipe"
cache="${ZORVANE_CACHE:-$HOME/.cache/zorvane2}/win64/$key"
if [ -f "$cache/complete" ]; then
  echo "$cache"
  exit 0
fi

log() { echo "windows-libs: $*" >&2; }
log "building the Windows libraries into $cache (once; later builds reuse them)"
rm -rf "$cache"
mkdir -p "$cache/prefix" "$cache/licences"
prefix="$cache/prefix"
work="$(mktemp -d "${TMPDIR:-/tmp}/zorvane-winlibs.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The sources, as Debian ships them (patches applied).
(cd "$work" && for s in "${sources[@]}"; do
  apt-get source -qq "$s" >/dev/null 2>&1 || { apt-get source "$s" >&2; exit 1; }
done)
srcdir() { find "$work" -maxdepth 1 -type d -name "$1-[0-9]*" | head -1; }

# Libraries are found in the prefix alone (the root "/" there), never on the build machine.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=""
cmake_lib() {  # $1 source folder, $2 build name, then cache options
  local src="$1" name="$2"
  shift 2
  cmake -S "$src" -B "$work/build-$name" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH=/ \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF "$@" >"$work/$name.log" 2>&1 || { cat "$work/$name.log" >&2; exit 1; }
  cmake --build "$work/build-$name" -j"$jobs" >>"$work/$name.log" 2>&1 || { tail -50 "$work/$name.log" >&2; exit 1; }
  cmake --install "$work/build-$name" >>"$work/$name.log" 2>&1 || { tail -50 "$work/$name.log" >&2; exit 1; }
}

# zstd: the decompressor's sources only, in one small static library.
log "zstd (decompressor)"
zstd="$(srcdir libzstd)"
mkdir -p "$work/zstd" "$prefix/lib" "$prefix/include" "$prefix/lib/pkgconfig"
for f in "$zstd"/lib/common/{debug,entropy_common,error_private,fse_decompress,xxhash,zstd_common}.c \
  "$zstd"/lib/decompress/{huf_decompress,zstd_ddict,zstd_decompress,zstd_decompress_block}.c; do
  x86_64-w64-mingw32-gcc-posix -O2 -DZSTD_DISABLE_ASM -DZSTD_LEGACY_SUPPORT=0 -DZSTD_MULTITHREAD=0 \
    -c "$f" -o "$work/zstd/$(basename "$f" .c).o" &
  [ "$(jobs -r | wc -l)" -ge "$jobs" ] && wait -n
done
wait
x86_64-w64-mingw32-gcc-ar-posix rcs "$prefix/lib/libzstd.a" "$work"/zstd/*.o
cp "$zstd/lib/zstd.h" "$zstd/lib/zstd_errors.h" "$prefix/include/"
cat >"$prefix/lib/pkgconfig/libzstd.pc" <<EOF
prefix=$prefix
Name: zstd
Description: Zstandard decompressor
Version: $(sed -n 's/^#define ZSTD_VERSION_MAJOR *//p' "$zstd/lib/zstd.h").$(sed -n 's/^#define ZSTD_VERSION_MINOR *//p' "$zstd/lib/zstd.h").$(sed -n 's/^#define ZSTD_VERSION_RELEASE *//p' "$zstd/lib/zstd.h")
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lzstd
EOF
cp "$zstd/LICENSE" "$cache/licences/zstd-LICENSE.txt"

log "libogg, libvorbis"
ogg="$(srcdir libogg)"
cmake_lib "$ogg" ogg -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cp "$ogg/COPYING" "$cache/licences/libogg-COPYING.txt"
vorbis="$(srcdir libvorbis)"
cmake_lib "$vorbis" vorbis -DBUILD_TESTING=OFF
cp "$vorbis/COPYING" "$cache/licences/libvorbis-COPYING.txt"

log "SDL2"
sdl="$(srcdir libsdl2)"
cmake_lib "$sdl" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_UNINSTALL=ON \
  -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_POWER=OFF \
  -DSDL_SENSOR=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_FILESYSTEM=OFF -DSDL_DISKAUDIO=OFF \
  -DSDL_OFFSCREEN=OFF -DSDL_VIRTUAL_JOYSTICK=OFF -DSDL_CCACHE=OFF -DSDL_SYSTEM_ICONV=OFF
cp "$sdl/LICENSE.txt" "$cache/licences/SDL2-LICENSE.txt"

log "SDL2_mixer (WAV and Ogg Vorbis)"
mixer="$(srcdir libsdl2-mixer)"
cmake_lib "$mixer" mixer -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=VORBISFILE -DSDL2MIXER_VORBIS_VORBISFILE_SHARED=OFF -DSDL2MIXER_WAVE=ON
cp "$mixer/LICENSE.txt" "$cache/licences/SDL2_mixer-LICENSE.txt"

log "SDL2_image (PNG saving)"
image="$(srcdir libsdl2-image)"
image_off=()
for f in AVIF BMP GIF JPG JXL LBM PCX PNM QOI SVG TGA TIF WEBP XCF XPM XV; do image_off+=("-DSDL2IMAGE_$f=OFF"); done
cmake_lib "$image" image -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_BACKEND_WIC=OFF -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_PNG_SAVE=ON "${image_off[@]}"
cp "$image/LICENSE.txt" "$cache/licences/SDL2_image-LICENSE.txt"

echo "$versions gcc $compiler" >"$cache/versions.txt"
touch "$cache/complete"
log "done"
echo "$cache"
