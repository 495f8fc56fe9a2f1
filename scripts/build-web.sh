#!/usr/bin/env bash
# Builds the browser version of Zorvane 2 into build-web/: index.html, zorvane2.js and .wasm, the
# effect bus (bus.wasm and its worklet), the sheets, glyph atlas, sound effects and music it
# loads, the web app manifest with its icons, and the service worker that keeps it all for
# offline play. The art, sound and music come from the desktop build's own generators (build/);
# the music is rendered with the desktop's synthesiser and soundfont into Ogg Vorbis, the sheets
# are stored as lossless WebP beside their PNGs. Installs what it needs from Debian when it is
# missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build-web"
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

bash scripts/install-deps.sh
web_packages=(emscripten fluidsynth vorbis-tools timgm6mb-soundfont webp)
missing=()
for p in "${web_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# em++'s optimiser runs under whatever node is first on the PATH; Debian's modules (acorn) are here.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

# The content, painted and written by the desktop build's generators.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target zorvane_content zorvane_media
mkdir -p "$out/sheets" "$out/Sound" "$out/Music" "$out/obj" "$out/icons"
cp build/content/sheets/sheets/*.png "$out/sheets/"
# Lossless WebP keeps every pixel and takes about 40 % less to fetch before the menu shows.
for png in "$out"/sheets/*.png; do
  webp="${png%.png}.webp"
  if [ ! -f "$webp" ] || [ "$png" -nt "$webp" ]; then cwebp -quiet -lossless -exact -z 9 "$png" -o "$webp"; fi
done
cp build/Sound/*.wav "$out/Sound/"
cp build/icons/48/zorvane2.png "$out/icon.png"
# The installed app's icons, drawn by the same generator at the sizes browsers ask for.
build/content/icon/ship_icon "$out/obj/icons" 192 512
cp "$out/obj/icons/192/zorvane2.png" "$out/icons/192.png"
cp "$out/obj/icons/512/zorvane2.png" "$out/icons/512.png"
{
  printf '{"sheets": ['
  first=1
  for f in "$out"/sheets/*.png; do
    [ $first -eq 1 ] || printf ', '
    first=0
    printf '"%s"' "$(basename "$f" .png)"
  done
  printf ']}\n'
} >"$out/assets.json"

# The letters of the game's text, written by the sheet generator beside the sheets.
cp build/content/sheets/sheets/glyphs.bin "$out/glyphs.bin"

# The music: each track rendered once by FluidSynth with the General MIDI soundfont at unit
# gain, with reverb and without chorus as the desktop plays it (the game's volume and the
# desktop synthesiser's level are applied while playing), then compressed.
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
render=(-q -n -i -g 1.0 -r 44100 -o synth.chorus.active=0 -o synth.reverb.active=1)
# Tracks rendered another way before are rendered again.
if [ "$(cat "$out/obj/music-render" 2>/dev/null)" != "${render[*]}" ]; then rm -f "$out"/Music/*.ogg; fi
for mid in build/Music/*.mid; do
  name="$(basename "$mid" .mid)"
  ogg="$out/Music/$name.ogg"
  if [ ! -f "$ogg" ] || [ "$mid" -nt "$ogg" ]; then
    fluidsynth "${render[@]}" -F "$out/obj/$name.wav" "$soundfont" "$mid" >/dev/null
    oggenc -Q -q 2 -o "$ogg" "$out/obj/$name.wav"
    rm -f "$out/obj/$name.wav"
  fi
done
echo "${render[*]}" >"$out/obj/music-render"

# The game: every source but the desktop's platforms, entry point and embedded art, and the
# browser platform.
# Bulk memory: a block copy (the backdrop's rows, each frame) is one instruction, not a call out to
# the page; SIMD: the picture's pixel loops run four at a time. Both are in every browser since 2021.
flags=(-std=c++20 -O2 -mbulk-memory -msimd128 -Wall -Wextra -Wno-unused-const-variable -ffp-contract=off -fno-fast-math -Isrc
       -DZORVANE_VERSION="\"$(sed -n 's/^project(Zorvane2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)\""
       -DZORVANE_DATA_DIR="\"/\"" -DZORVANE_BIN_TO_DATA="\".\"")
sources=()
for dir in core world frame render shell platform save ship shots enemies effects levels menus autopilot; do
  for f in src/$dir/*.cpp; do
    # A folder of headers only (its pattern then matches nothing) adds no source.
    [ -f "$f" ] || continue
    [ "$f" = src/shell/main.cpp ] || [ "$f" = src/shell/embedded_art.cpp ] || sources+=("$f")
  done
done
sources+=(src/platform/web/*.cpp)

# Objects made with other flags are made again.
if [ "$(cat "$out/obj/flags" 2>/dev/null)" != "${flags[*]}" ]; then
  rm -f "$out"/obj/*.o "$out/bus.wasm"
  echo "${flags[*]}" >"$out/obj/flags"
fi

# The effect bus alone, for the page's audio thread: a small module with no runtime of its own.
bus_sources=(src/platform/effect_bus.cpp src/platform/web/audio/bus_module.cpp)
if [ ! -f "$out/bus.wasm" ] || [ -n "$(find "${bus_sources[@]}" src/platform/effect_bus.h src/core/sounds.h -newer "$out/bus.wasm" -print -quit)" ]; then
  em++ "${flags[@]}" "${bus_sources[@]}" -o "$out/bus.wasm" -sSTANDALONE_WASM --no-entry -sALLOW_MEMORY_GROWTH=1 \
    -sINITIAL_MEMORY=2097152 -sTOTAL_STACK=65536 \
    -sEXPORTED_FUNCTIONS=_bus_sound_room,_bus_set_sound,_bus_start,_bus_stream,_bus_stream_frames,_bus_mix,_bus_set_gains,_bus_playing,_bus_playing_slots
fi
objects=()
stale=()
for f in "${sources[@]}"; do
  o="$out/obj/$(echo "${f#src/}" | tr / _).o"
  objects+=("$o")
  # Rebuilt when the source, or any header of the game, is newer than the object.
  if [ ! -f "$o" ] || [ "$f" -nt "$o" ] || [ -n "$(find src -name '*.h' -newer "$o" -print -quit)" ]; then
    stale+=("$f")
  fi
done
if [ ${#stale[@]} -gt 0 ]; then
  echo "Compiling ${#stale[@]} file(s) for the browser"
  printf '%s\n' "${stale[@]}" | xargs -P "$jobs" -I{} sh -c \
    'o="$1/obj/$(echo "${2#src/}" | tr / _).o"; shift 2; em++ "$@" -c "$0" -o "$o"' {} "$out" "{}" "${flags[@]}"
fi
em++ -O2 -mbulk-memory -msimd128 "${objects[@]}" -o "$out/zorvane2.js" \
  --pre-js web/glue.js --pre-js web/sound.js --pre-js web/touch.js --pre-js web/page.js -lidbfs.js \
  -sFORCE_FILESYSTEM=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432 \
  -sEXPORTED_FUNCTIONS=_main,_zorvane_save_now,_zorvane_hold_saves,_zorvane_state,_zorvane_settings,_zorvane_change_setting,_zorvane_advice \
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString,ccall
cp web/index.html web/manifest.webmanifest web/bus_worklet.js "$out/"

# The service worker, with this build's files and a version that changes with any of them.
# The PNG sheets stay out of it: they are only for browsers that cannot read WebP.
files=(./ index.html zorvane2.js zorvane2.wasm bus.wasm bus_worklet.js manifest.webmanifest assets.json glyphs.bin
       icon.png icons/192.png icons/512.png)
for f in "$out"/sheets/*.webp "$out"/Sound/*.wav "$out"/Music/*.ogg; do files+=("${f#"$out"/}"); done
version="$( (cd "$out" && cat "${files[@]:1}") | cat - web/sw.js | sha256sum | cut -c1-16)"
list="$(printf '"%s", ' "${files[@]}")"
sed -e "s|@VERSION@|$version|" -e "s|@FILES@|[${list%, }]|" web/sw.js >"$out/sw.js"
echo "build-web.sh: the browser build is in $out ($(du -sh --exclude=obj --exclude=check "$out" | cut -f1))"
