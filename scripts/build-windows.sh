#!/usr/bin/env bash
# Builds the Windows version of Zorvane 2 with Debian's mingw-w64 and prints the zip it makes:
#   build-windows/zorvane2-<version>-win64.zip
#     zorvane2.exe      the game, one static executable (no DLLs)
#     Sound/, Music/    the effects, and the music recorded to Ogg Vorbis
#     README.txt        for players; licences/ the game's and each library's licence
# Everything comes from Debian: the cross compilers, the libraries' source packages (built once
# into a cache outside the checkout by scripts/windows-libs.sh), and the native build's
# generators, which paint the art and write the sound and music (build/).
# With --tests, also build-windows/cross/zorvane2_tests.exe (scripts/check-windows.sh runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
tests=OFF
for arg in "$@"; do
  case "$arg" in
    --tests) tests=ON ;;
    *) echo "build-windows.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
log() { echo "build-windows: $*" >&2; }

bash scripts/install-deps.sh --windows >&2
version="$(sed -n 's/^project(Zorvane2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
out="$root/build-windows"
mkdir -p "$out"

# The content, painted and written by the desktop build's generators.
log "the art, sound and music (native generators)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target zorvane_content zorvane_media >/dev/null

# The libraries, from the cache (built on the first run).
prefix="$(bash scripts/windows-libs.sh)/prefix"

# The music: each track synthesised once by FluidSynth with the soundfont and settings the
# desktop's live player uses (no chorus, the reverb on), at half its level so no chord clips
# (the game raises it again), then compressed. Ogg Vorbis at quality 3 is 4.9 MB for the seven
# tracks; the soundfont alone would be 5.6 MB in the zip.
music="$out/music"
mkdir -p "$music"
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
for mid in build/Music/*.mid; do
  name="$(basename "$mid" .mid)"
  ogg="$music/$name.ogg"
  if [ ! -f "$ogg" ] || [ "$mid" -nt "$ogg" ] || [ "$0" -nt "$ogg" ]; then
    log "recording the music: $name"
    fluidsynth -q -n -i -g 0.675 -r 44100 -o synth.chorus.active=0 -o synth.reverb.active=1 \
      -F "$music/$name.wav" "$soundfont" "$mid" >/dev/null
    # A stream serial number of its own per track, not a random one, so the same track gives
    # the same file.
    oggenc -Q -q 3 -s "$(printf '%s' "$name" | cksum | cut -d' ' -f1)" -o "$ogg.part" "$music/$name.wav"
    mv "$ogg.part" "$ogg"
    rm -f "$music/$name.wav"
  fi
done

# The game, cross-built (ccache keeps a second build quick).
log "zorvane2.exe"
cross="$out/cross"
cmake -S . -B "$cross" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVANE_WINDOWS_PREFIX="$prefix" -DZORVANE_CONTENT_BUILD="$root/build" \
  -DZORVANE_MUSIC_DIR="$music" -DZORVANE_TESTS="$tests" -DZORVANE_BENCH=OFF >/dev/null
targets=(zorvane2)
[ "$tests" = ON ] && targets+=(zorvane2_tests)
cmake --build "$cross" -j"$jobs" --target "${targets[@]}" >/dev/null

# The zip, laid out as the player unpacks it.
name="zorvane2-$version-win64"
stage="$out/stage/$name"
rm -rf "$out/stage"
mkdir -p "$stage/Sound" "$stage/Music" "$stage/licences"
# One time for everything in the zip (the last commit's, unless SOURCE_DATE_EPOCH says), so the
# same sources give the same zip: strip stamps it into the executable, zip onto each file.
epoch="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}"
SOURCE_DATE_EPOCH="$epoch" x86_64-w64-mingw32-strip -o "$stage/zorvane2.exe" "$cross/zorvane2.exe"
cp build/Sound/*.wav "$stage/Sound/"
cp "$music"/*.ogg "$stage/Music/"
sed "s/@VERSION@/$version/g" src/windows/README.txt.in | sed 's/$/\r/' >"$stage/README.txt"
cp LICENSE "$stage/licences/Zorvane2-LICENSE.txt"
cp LICENSES/LiberationSans-OFL-1.1.txt "$stage/licences/"
cp "$prefix/../licences/"*.txt "$stage/licences/"
# The run-time linked into the executable: mingw-w64's (winpthreads among it) and GCC's.
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licences/mingw-w64-copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licences/gcc-runtime-copyright.txt"
for f in "$stage/licences/"*.txt; do sed -i 's/\r*$/\r/' "$f"; done
zip_file="$out/$name.zip"
rm -f "$zip_file"
# Files in a fixed order and with that one time.
find "$out/stage" -exec touch -d "@$epoch" {} +
(cd "$out/stage" && find "$name" -print | LC_ALL=C sort | zip -q -X -9 "$zip_file" -@)
log "$(du -h "$zip_file" | cut -f1) $zip_file"
echo "$zip_file"
