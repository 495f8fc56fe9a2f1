#!/usr/bin/env bash
# The Windows build tested under Wine, as CI runs it:
#   1. scripts/build-windows.sh --tests builds the zip and the cross-built tests;
#   2. the zip is unpacked and its zorvane2.exe asked for --version;
#   3. the cross-built tests run under wine64;
#   4. recorded runs: the Linux build's autopilot plays 3,000 frames (from a new player's save and
#      from one with everything open) and records its input; the Windows and Linux builds replay
#      that recording, closed in its last frame so the game saves, and their traces, final state
#      dumps and saves must be the same, byte for byte. The Windows build's own autopilot must end
#      in the Linux autopilot's state too;
#   5. a save written by the Windows build is loaded and written again by the Linux build, and
#      that one by the Windows build: the file and what each loads from it stay the same;
#   6. the game in a window on a virtual screen (Xvfb): its last frame is the Linux build's;
#   7. with ALL_TRACES=1, every recorded run of scripts/compare-traces.sh, Linux against Windows.
# Wine keeps its own prefix outside the checkout (${ZORVANE_CACHE:-~/.cache/zorvane2}/wine64), so
# a clean clone pays only for its first start there. If the tools cannot be installed, the check
# is skipped with a message saying so (exit status 0); any failure after that fails it.
# KEEP=1 keeps the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
log() { echo "check-windows: $*" >&2; }

if ! bash scripts/install-deps.sh --windows >&2; then
  log "SKIPPED: the Windows tools (mingw-w64, Wine, the deb-src entry) cannot be installed here"
  exit 0
fi
wine=""
for w in wine64 /usr/lib/wine/wine64 wine; do
  if command -v "$w" >/dev/null; then
    wine="$(command -v "$w")"
    break
  fi
done
if [ -z "$wine" ]; then
  log "SKIPPED: no wine64 after installing it"
  exit 0
fi

zip_file="$(bash scripts/build-windows.sh --tests)"
cross="$root/build-windows/cross"
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
cmake --build build -j"$jobs" --target zorvane2 >/dev/null

export WINEPREFIX="${ZORVANE_CACHE:-$HOME/.cache/zorvane2}/wine64" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
mkdir -p "$WINEPREFIX"
work="$(mktemp -d "${TMPDIR:-/tmp}/zorvane-windows.XXXXXX")"
cleanup() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  [ "${KEEP:-0}" = 1 ] && log "work folder kept: $work" || rm -rf "$work"
}
trap cleanup EXIT
# One Wine server for the whole check, kept up between programs (rather than one that lingers a
# few seconds after each and may be going away as the next starts); stopped at the end.
wineserver -p
status=0
fail() {
  log "FAILED: $*"
  status=1
}
# A run that failed: its exit status and the end of what it wrote on standard error.
failed_run() {  # status, standard error file, what
  fail "$3 (exit status $1)"
  tail -20 "$2" | sed 's/^/    /' >&2
}

# 2. The zip as a player gets it.
size="$(stat -c %s "$zip_file")"
log "zip: $(basename "$zip_file"), $size bytes"
[ "$size" -lt $((30 * 1024 * 1024)) ] || fail "the zip is 30 MB or more"
(cd "$work" && unzip -q "$zip_file")
game_dir="$(find "$work" -maxdepth 1 -type d -name 'zorvane2-*-win64')"
exe="$game_dir/zorvane2.exe"
for f in zorvane2.exe README.txt Sound/Fire.wav Music/Menu.ogg licences/SDL2-LICENSE.txt; do
  [ -f "$game_dir/$f" ] || fail "the zip has no $f"
done
version="$(sed -n 's/^project(Zorvane2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
said="$("$wine" "$exe" --version 2>/dev/null)" || fail "zorvane2.exe --version exited with $?"
if [ "$said" = "zorvane2 $version" ]; then
  log "zorvane2.exe --version: $said"
else
  fail "zorvane2.exe --version said '$said', not 'zorvane2 $version'"
fi

# 3. The unit and scenario tests, cross-built.
log "the tests under Wine"
if ! (cd "$cross" && "$wine" ./zorvane2_tests.exe --gtest_brief=1 >"$work/tests.log" 2>&1); then
  tail -60 "$work/tests.log" >&2
  fail "tests under Wine"
fi
sed -n 's/^\[  \(PASSED\|FAILED\)  \] \(.*\)/check-windows:   \1: \2/p' "$work/tests.log" >&2

# 4. Recorded runs, Linux against Windows. Paths given to the Windows game are relative to the
# work folder, which Wine reaches through its drive Z:.
linux() { (cd "$work" && "$root/build/zorvane2" "$@"); }
windows() { (cd "$work" && "$wine" "$exe" "$@"); }
python3 scripts/craft_save.py "$work/open.gsv"
frames=3000
same() {  # what, file A, file B
  if cmp -s "$work/$2" "$work/$3"; then
    log "  $1: identical ($(wc -c <"$work/$2") bytes)"
  else
    fail "$1 differs: $2 and $3 (KEEP=1 keeps them)"
  fi
}
for start in fresh open; do
  case "$start" in
    fresh) log "a recorded $frames-frame autopilot run from a new player's save" ;;
    open) log "a recorded $frames-frame autopilot run from a save with everything open" ;;
  esac
  for side in linux-pilot windows-pilot linux windows; do
    rm -f "$work/$start-$side.gsv"
    [ "$start" = open ] && cp "$work/open.gsv" "$work/$start-$side.gsv"
  done
  linux --headless --autopilot --frames "$frames" --save-file "$start-linux-pilot.gsv" --record "$start.script" \
    --dump-state "$start-linux-pilot.json" 2>"$work/$start-linux-pilot.err" ||
    failed_run $? "$work/$start-linux-pilot.err" "the Linux autopilot run"
  windows --headless --autopilot --frames "$frames" --save-file "$start-windows-pilot.gsv" \
    --dump-state "$start-windows-pilot.json" 2>"$work/$start-windows-pilot.err" ||
    failed_run $? "$work/$start-windows-pilot.err" "the Windows autopilot run"
  same "the autopilot's final state" "$start-linux-pilot.json" "$start-windows-pilot.json"
  # The recording, with the window closed in its last frame: the game saves as it quits.
  cp "$work/$start.script" "$work/$start-close.script"
  echo "$((frames - 1)) close" >>"$work/$start-close.script"
  for side in linux windows; do
    "$side" --headless --input "$start-close.script" --frames "$frames" --save-file "$start-$side.gsv" \
      --trace "$start-$side.jsonl" --dump-state "$start-$side.json" 2>"$work/$start-$side.err" ||
      failed_run $? "$work/$start-$side.err" "the $side replay from the $start save"
  done
  same "the replay's trace" "$start-linux.jsonl" "$start-windows.jsonl"
  same "the replay's final state" "$start-linux.json" "$start-windows.json"
  same "the replay's save" "$start-linux.gsv" "$start-windows.gsv"
  [ -s "$work/$start-windows.gsv" ] || fail "the replay from a $start save wrote no save"
done

# 5. The save the Windows build wrote, loaded and written again on Linux, then on Windows. A
# run that closes the window at once loads the file, dumps what it loaded and saves it back.
log "a save carried from Windows to Linux and back"
echo "0 close" >"$work/close.script"
cp "$work/open-windows.gsv" "$work/carried.gsv"
linux --headless --input close.script --frames 1 --save-file carried.gsv --dump-state carried-linux.json ||
  fail "the Linux build loading the Windows save"
same "the save after Linux wrote it again" "open-windows.gsv" "carried.gsv"
windows --headless --input close.script --frames 1 --save-file carried.gsv --dump-state carried-windows.json ||
  fail "the Windows build loading the Linux save"
same "the save after Windows wrote it again" "open-windows.gsv" "carried.gsv"
same "the state loaded from it" "carried-linux.json" "carried-windows.json"
python3 - "$work/open-windows.json" "$work/carried-linux.json" <<'P' || fail "the progress loaded is not the progress saved"
import json, sys
saved, loaded = (json.load(open(p))["Progress"] for p in sys.argv[1:])
diff = [k for k in saved if saved[k] != loaded.get(k)]
if diff:
    sys.exit(f"check-windows: progress fields differ after loading: {diff}")
print(f"check-windows:   progress loaded as saved ({saved['Points']} points)", file=sys.stderr)
P

# 6. The game in a window (the SDL platform with Windows' own video driver: Direct3D or software
# drawing under Wine's X11 driver, the Ogg music, the effects), on a virtual screen. Its last frame must be the picture
# the Linux build draws for the same input, pixel for pixel, and it must have nothing to report.
log "the game in a window"
printf '0 mouse 60 115\n2 lbutton\n5-200 key X\n120-180 key LEFT\n' >"$work/window.script"
linux --headless --input window.script --frames 240 --save-file window-linux.gsv --screenshot window-linux.png ||
  fail "the Linux build's picture"
(cd "$work" && SDL_VIDEODRIVER=windows SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x720x24" "$wine" "$exe" --windowed --frames 240 \
  --input window.script --save-file window-windows.gsv --screenshot window-windows.png \
  >window.out 2>window.err) || fail "the Windows build in a window exited with $?"
if grep '^zorvane2:' "$work/window.err" >&2; then fail "the Windows build in a window reported the lines above"; fi
python3 - "$work/window-linux.png" "$work/window-windows.png" <<'P' || fail "the picture in a window differs"
import struct, sys, zlib


def pixels(path):
    """The RGB rows of an 8-bit, non-interlaced RGB or RGBA PNG."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    at, idat = 8, b""
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and not interlace, (path, depth, colour, interlace)
            bpp = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        at += 12 + size
    raw, stride, rows, prev = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b, c = prev[x], prev[x - bpp] if x >= bpp else 0
            if f == 1:
                line[x] = (line[x] + a) & 255
            elif f == 2:
                line[x] = (line[x] + b) & 255
            elif f == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if bpp == 3 else bytes(v for i, v in enumerate(line) if i % 4 != 3))
        prev = line
    return width, height, rows


a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
if a[:2] != b[:2]:
    sys.exit(f"check-windows: pictures of {a[:2]} and {b[:2]} pixels")
differ = sum(1 for ra, rb in zip(a[2], b[2]) for i in range(0, len(ra), 3) if ra[i:i + 3] != rb[i:i + 3])
if differ:
    sys.exit(f"check-windows: {differ} pixels of the window's last frame differ from the Linux build's")
print(f"check-windows:   the window's last frame: the Linux build's, pixel for pixel ({a[0]} x {a[1]})",
      file=sys.stderr)
P

# 7. With ALL_TRACES=1, every recorded run of scripts/compare-traces.sh as well (82,400 frames,
# the 30,000-frame autopilot among them; about 7 minutes under Wine, too long for every CI run).
if [ "${ALL_TRACES:-0}" = 1 ]; then
  log "every recorded run of compare-traces.sh, Linux against Windows"
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$wine" "$exe" >"$work/zorvane2-wine"
  chmod +x "$work/zorvane2-wine"
  bash scripts/compare-traces.sh build/zorvane2 "$work/zorvane2-wine" >&2 || fail "the recorded runs differ"
fi

if [ "$status" = 0 ]; then log "all Windows checks passed"; else log "some Windows checks failed"; fi
exit "$status"
