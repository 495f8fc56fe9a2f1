#!/usr/bin/env bash
# Plays a fixed set of recorded runs on two builds of the game and compares, byte for byte, the
# per-frame traces and the save files the runs leave behind. Use it around a change that must not
# alter the game: build the old commit in a build folder of its own, then
#   scripts/compare-traces.sh OLD/zorvane2 NEW/zorvane2
# Exit status 0 when every run matches, 1 otherwise. KEEP=1 keeps the work folder.
# IGNORE_SOUNDS="11 ..." leaves those sound slots out of every frame's list of sounds on both
# sides, for a change that adds a sound and must alter nothing else.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 OLD_BINARY NEW_BINARY" >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zorvane-traces.XXXXXX")
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT

# Saves: a fresh one (no file at all) and a crafted one with every level, mode and ability open.
python3 "$here/craft_save.py" "$work/open.gsv"

# The scripts. Level buttons sit at x 10..154; level index i at y 103 + 33 i (i < 10),
# the mini game at 465, the marathon at 498 and the boss arena at 531 (each 25 high).
cat >"$work/menu-sweep.script" <<'S'
# Clicks over a grid of the whole menu screen: shop tabs, purchases, potions, help texts.
S
python3 - "$work/menu-sweep.script" <<'P'
import sys
lines = []
f = 0
for y in range(20, 600, 37):
    for x in range(170, 800, 53):
        lines.append(f"{f} mouse {x} {y}")
        lines.append(f"{f + 2}-{f + 3} lbutton")
        f += 6
lines.append(f"{f} mouse 400 300")
open(sys.argv[1], "a").write("\n".join(lines) + "\n")
P
level_script() {  # $1 file, $2 button y, $3 frames of play, then keys that play
  local file=$1 y=$2 frames=$3
  {
    echo "0 mouse 60 $y"
    echo "2 lbutton"
    echo "5-$frames key X"
    echo "40-$frames key Z"
    local f
    for ((f = 60; f < frames; f += 240)); do
      echo "$f-$((f + 90)) key LEFT"
      echo "$((f + 120))-$((f + 210)) key RIGHT"
      echo "$((f + 30))-$((f + 60)) key UP"
      echo "$((f + 150))-$((f + 170)) key DOWN"
    done
    for ((f = 100; f < frames; f += 400)); do
      echo "$f-$((f + 20)) key A"
      echo "$((f + 50))-$((f + 70)) key S"
      echo "$((f + 100))-$((f + 120)) key D"
      echo "$((f + 150))-$((f + 170)) key C"
      echo "$((f + 200))-$((f + 220)) key V"
      echo "$((f + 250))-$((f + 260)) key SPACE"
      echo "$((f + 300))-$((f + 305)) key Q"
    done
  } >"$file"
}
level_script "$work/level1.script" 115 3000
level_script "$work/level5-abilities.script" 247 6000
level_script "$work/level10-abilities.script" 412 6000
level_script "$work/minigame.script" 477 4000
level_script "$work/marathon.script" 510 8000
level_script "$work/arena.script" 543 8000

# name, save (fresh|open), frames, input (a script or "autopilot")
runs=(
  "autopilot-fresh fresh 30000 autopilot"
  "autopilot-open open 15000 autopilot"
  "menu-sweep-fresh fresh 1200 menu-sweep.script"
  "menu-sweep-open open 1200 menu-sweep.script"
  "level1-fresh fresh 3000 level1.script"
  "level5-abilities open 6000 level5-abilities.script"
  "level10-abilities open 6000 level10-abilities.script"
  "minigame open 4000 minigame.script"
  "marathon open 8000 marathon.script"
  "arena open 8000 arena.script"
)

run_one() {  # $1 binary, $2 out folder, $3 save, $4 frames, $5 input
  local bin=$1 out=$2 save=$3 frames=$4 input=$5
  mkdir -p "$out/config" "$out/data"
  [ "$save" = open ] && cp "$work/open.gsv" "$out/save.gsv"
  local how=(--input "$work/$input")
  [ "$input" = autopilot ] && how=(--autopilot)
  XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
    "$bin" --headless --save-file "$out/save.gsv" --frames "$frames" "${how[@]}" \
    --trace "$out/trace.jsonl" --dump-state "$out/final.json" >"$out/stdout" 2>"$out/stderr" || echo "exit $?" >>"$out/stderr"
  [ -f "$out/save.gsv" ] || : >"$out/save.gsv"
}

failed=0
total_lines=0
printf '%-20s %7s %9s %12s  %s\n' run frames lines bytes result
for run in "${runs[@]}"; do
  read -r name save frames input <<<"$run"
  run_one "$old" "$work/old/$name" "$save" "$frames" "$input"
  run_one "$new" "$work/new/$name" "$save" "$frames" "$input"
  if [ -n "${IGNORE_SOUNDS:-}" ]; then
    for side in old new; do
      for f in trace.jsonl final.json; do
        python3 - "$work/$side/$name/$f" "$IGNORE_SOUNDS" <<'P'
import re, sys
path, ignored = sys.argv[1], set(sys.argv[2].split())
def keep(m):
    slots = [s for s in m.group(1).split(",") if s and s not in ignored]
    return '"Sounds":[' + ",".join(slots) + "]"
text = open(path).read()
open(path, "w").write(re.sub(r'"Sounds":\[([0-9,]*)\]', keep, text))
P
      done
    done
  fi
  result=identical
  for f in trace.jsonl final.json save.gsv stdout; do
    if ! cmp -s "$work/old/$name/$f" "$work/new/$name/$f"; then
      result="DIFFERS ($f)"
      failed=1
      break
    fi
  done
  lines=$(wc -l <"$work/new/$name/trace.jsonl")
  bytes=$(wc -c <"$work/new/$name/trace.jsonl")
  total_lines=$((total_lines + lines))
  printf '%-20s %7s %9s %12s  %s\n' "$name" "$frames" "$lines" "$bytes" "$result"
done
echo "frames compared: $total_lines"
if [ "$failed" = 0 ]; then echo "all runs identical"; else echo "some runs differ (KEEP=1 keeps $work)"; fi
exit "$failed"
