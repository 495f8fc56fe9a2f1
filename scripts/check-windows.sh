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
#      that one by the Windows build: the file and what each loads from it stay the same.
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
status=0
fail() {
  log "FAILED: $*"
  status=1
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
grep -E '^\[  (PASSED|FAILED) ' "$work/tests.log" >&2 || true

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
    --dump-state "$start-linux-pilot.json" 2>"$work/$start-linux-pilot.err" || fail "the Linux autopilot run"
  windows --headless --autopilot --frames "$frames" --save-file "$start-windows-pilot.gsv" \
    --dump-state "$start-windows-pilot.json" 2>"$work/$start-windows-pilot.err" || fail "the Windows autopilot run"
  same "the autopilot's final state" "$start-linux-pilot.json" "$start-windows-pilot.json"
  # The recording, with the window closed in its last frame: the game saves as it quits.
  cp "$work/$start.script" "$work/$start-close.script"
  echo "$((frames - 1)) close" >>"$work/$start-close.script"
  for side in linux windows; do
    "$side" --headless --input "$start-close.script" --frames "$frames" --save-file "$start-$side.gsv" \
      --trace "$start-$side.jsonl" --dump-state "$start-$side.json" 2>"$work/$start-$side.err" ||
      fail "the $side replay from a $start save"
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

if [ "$status" = 0 ]; then log "all Windows checks passed"; else log "some Windows checks failed"; fi
exit "$status"
