#!/usr/bin/env bash
# The browser build tested in a real browser: builds build-web/ (scripts/build-web.sh), serves it,
# and drives Debian's headless Chromium through tests/web/browser_test.js (the desktop's pixels and
# replays, saves, pausing) and tests/web/device_test.js (whole-scale picture, a phone played by
# touch with the fire sound, the offline copy). The pictures they take (the page, the game's frame
# beside the desktop's, the phone in both orientations) are left in build-web/check/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends chromium
fi
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
cmake --build build -j"$jobs" --target zorvane2

out="build-web/check"
work="$(mktemp -d)"
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out"

# The desktop's picture of a fresh player's menu, 30 frames in.
frames=30
SDL_AUDIODRIVER=dummy ./build/zorvane2 --headless --frames "$frames" --save-file "$work/fresh.gsv" \
  --screenshot "$out/desktop-menu.png"
# A save with points to spend: a fresh player who quits at once (the quit button saves), given 100000 points.
printf '0 mouse 50 30\n2 lbutton\n' >"$work/quit.script"
SDL_AUDIODRIVER=dummy ./build/zorvane2 --headless --frames 10 --input "$work/quit.script" --save-file "$work/rich.gsv"
python3 -c 'import struct, sys; p = sys.argv[1]; b = bytearray(open(p, "rb").read()); b[0:4] = struct.pack("<i", 100000); open(p, "wb").write(b)' "$work/rich.gsv"

# A run of the autopilot through the menu and into play, recorded, with the state it ends in.
replay_frames=3000
SDL_AUDIODRIVER=dummy ./build/zorvane2 --headless --autopilot --frames "$replay_frames" --save-file "$work/pilot.gsv" \
  --record "$out/replay.script" 2>/dev/null
SDL_AUDIODRIVER=dummy ./build/zorvane2 --headless --frames "$replay_frames" --input "$out/replay.script" \
  --save-file "$work/replay.gsv" --dump-state "$work/replay.json" --screenshot "$out/desktop-replay.png"

port="${ZORVANE_WEB_TEST_PORT:-18080}"
python3 web/serve.py "$port" >/dev/null &
server=$!
for _ in $(seq 50); do
  python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 0.2)' "$port" 2>/dev/null && break
  sleep 0.1
done
status=0
node tests/web/browser_test.js "http://127.0.0.1:$port/index.html" "$(command -v chromium)" "$out/desktop-menu.png" \
  "$frames" "$work/rich.gsv" "$out" check/replay.script "$replay_frames" "$work/replay.json" \
  "$out/desktop-replay.png" || status=1
node tests/web/device_test.js "$(command -v chromium)" build-web "$out" || status=1
# A new player's level 1 played and won by touch on a phone, landscape and portrait (a few
# minutes: asked for with ZORVANE_WEB_PLAY=1).
if [ "${ZORVANE_WEB_PLAY:-0}" = 1 ]; then
  node tests/web/touch_play.js "$(command -v chromium)" "http://127.0.0.1:$port/index.html?advise" "$out" || status=1
fi
exit "$status"
