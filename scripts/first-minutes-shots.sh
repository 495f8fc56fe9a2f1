#!/usr/bin/env bash
# Takes the pictures of docs/first-minutes.md with the game's own harness (--screenshot), each
# from a new save or a crafted one, with a script or the autopilot, so that they can be taken
# again after any change to the look of play. Usage: scripts/first-minutes-shots.sh [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/first-minutes}"
mkdir -p "$out"
exe=build/zorvane2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/craft_save.py "$work/open.gsv"
# The same ship with levels 1 to 4 won and nothing after, its parts at the top: the pilot's next
# level is level 5.
python3 - "$work/open.gsv" "$work/level5.gsv" <<'PY'
import struct, sys
save = bytearray(open(sys.argv[1], "rb").read())
for i in range(13):  # levels 1..10, mini game, marathon, boss arena: open up to level 5
    save[126 + 2 * i:128 + 2 * i] = struct.pack("<h", -1 if i <= 4 else 0)
for i in range(5):  # ship parts
    save[44 + 2 * i:46 + 2 * i] = struct.pack("<h", 10)
open(sys.argv[2], "wb").write(save)
PY

shot() {  # name, save (new|open|level5), frames, then a script's lines or "autopilot"
  local name=$1 save=$2 frames=$3
  shift 3
  local how=()
  rm -f "$work/save.gsv" "$work/save.gsv.lock"
  [ "$save" != new ] && cp "$work/$save.gsv" "$work/save.gsv"
  if [ "$1" = autopilot ]; then
    how=(--autopilot-human)
  else
    printf '%s\n' "$@" >"$work/$name.script"
    how=(--input "$work/$name.script")
  fi
  mkdir -p "$work/home/.config/zorvane2"
  HOME="$work/home" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$exe" --headless --save-file "$work/save.gsv" \
    --settings "$work/home/.config/zorvane2/settings.ini" --frames "$frames" "${how[@]}" \
    --screenshot "$out/$name.png" >/dev/null 2>&1
  echo "$out/$name.png"
}

# Level 1 of a new save: its card, the controls for a first flight, the progress strip.
shot card new 60 "0 mouse 50 110" "2 lbutton" "5-60 key X"
# Both fire keys held: neither gun fires, and a word near the ship says why.
shot both-fire-keys new 200 "0 mouse 50 110" "2 lbutton" "5-120 key X" "130-200 key X" "130-200 key C"
# The pause screen over level 1.
shot pause new 330 "0 mouse 50 110" "2 lbutton" "5-299 key X" "150-200 key LEFT" "300 key P"
# The pilot with a person's limits from a new save: sparks and muzzle flashes in level 1, its
# boss's warning, a hit in level 2 and low life in level 3.
shot sparks new 660 autopilot
shot boss-warning new 4825 autopilot
shot hit new 7200 autopilot
shot low-life new 16140 autopilot
# Level 5's storm of fast hulks, laid out for a person's reactions: pairs down the edges, the
# middle open.
shot storm level5 5000 autopilot
# A new ship flown straight up into the first craft: the blast of its loss.
shot ship-lost new 172 "0 mouse 50 110" "2 lbutton" "5-300 key UP" "5-40 key RIGHT"
# The shop: EQUIP buttons, the cards of slot X and slot C, the gold ring of a level band.
shot shop open 30 "0 mouse 230 115" "3 lbutton" "10 mouse 280 115" "12 rbutton" "20 mouse 240 140"
