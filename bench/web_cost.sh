#!/usr/bin/env bash
# What the browser build costs, measured in headless Chromium beside a trivial page that puts an
# 800 x 600 picture on a canvas every frame (bench/web/trivial.html), in the same run: the share of
# a core of the whole browser and of its renderers for a blank page, the trivial page, the game's
# menu and level 1 played with the guns held (with its sound, then with the page's sound
# suspended), and the trivial page playing a tone, each over SECONDS_A_PAGE (10) after a few to
# settle, in ROUNDS (5) rounds, about six minutes; then the game's own share above the trivial
# page of the same round (the level with its sound above the page with a tone, as any page that
# plays a sound pays the browser's audio path), the median of the rounds, and the megabytes
# fetched before the menu showed and in all. A single round moves by several hundredths with the
# machine's other work, and one in four or so lands five hundredths off; the median of the
# rounds is the figure. The game's share should stay within 0.04 of a core, and the fetch before
# the menu within 1.5 MB.
#
#   bench/web_cost.sh [BUILD_DIR]      BUILD_DIR defaults to build-web/ (made by scripts/build-web.sh)
#
# The machine's load average is printed first: other work on the machine shows in every row.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-web}")
[[ -f $build/index.html ]] || { echo "web_cost: no browser build in $build (scripts/build-web.sh makes it)" >&2; exit 2; }
command -v chromium >/dev/null || { echo "web_cost: chromium is missing (apt-get install chromium)" >&2; exit 2; }
work=$(mktemp -d)
game_server= trivial_server=
cleanup() {
  [[ -n $game_server ]] && kill "$game_server" 2>/dev/null
  [[ -n $trivial_server ]] && kill "$trivial_server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp bench/web/trivial.html "$work/index.html"
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
game_port=$(free_port)
python3 web/serve.py "$game_port" "$build" >/dev/null &
game_server=$!
trivial_port=$(free_port)
python3 web/serve.py "$trivial_port" "$work" >/dev/null &
trivial_server=$!
for port in "$game_port" "$trivial_port"; do
  for _ in $(seq 50); do
    python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 0.2)' "$port" 2>/dev/null && break
    sleep 0.1
  done
done
CLK_TCK=$(getconf CLK_TCK) node bench/web/web_cost.js "$(command -v chromium)" "http://127.0.0.1:$game_port/index.html" \
  "http://127.0.0.1:$trivial_port/index.html" "${SECONDS_A_PAGE:-10}"
