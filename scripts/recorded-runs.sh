#!/usr/bin/env bash
# The recorded runs: ten plays of the game, from a fresh save or a crafted one with everything
# open, driven by a script or by the autopilot, each for a fixed number of frames. They are
# defined here only, and used by scripts/compare-traces.sh (two builds side by side) and by the
# golden-runs test (tests/golden_runs_test.cpp: one build against the digests it keeps).
#
#   recorded-runs.sh list                      the runs, one a line: NAME SAVE FRAMES INPUT
#                                              (SAVE fresh or open; INPUT a script or "autopilot")
#   recorded-runs.sh prepare DIR               writes the crafted save and the scripts into DIR
#   recorded-runs.sh play BINARY DIR NAME OUT [TRACE]
#                                              plays run NAME (prepared in DIR) with BINARY into
#                                              the folder OUT: trace.jsonl (or TRACE, a path such
#                                              as /dev/fd/3), final.json, save.gsv, stdout, stderr
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

list_runs() {
  cat <<'R'
autopilot-fresh fresh 30000 autopilot
autopilot-open open 15000 autopilot
menu-sweep-fresh fresh 1200 menu-sweep.script
menu-sweep-open open 1200 menu-sweep.script
level1-fresh fresh 3000 level1.script
level5-abilities open 6000 level5-abilities.script
level10-abilities open 6000 level10-abilities.script
minigame open 4000 minigame.script
marathon open 8000 marathon.script
arena open 8000 arena.script
R
}

# The scripts. Level buttons sit at x 10..154; level index i at y 103 + 33 i (i < 10),
# the mini game at 465, the marathon at 498 and the boss arena at 531 (each 25 high).
menu_sweep_script() {  # $1 file
  echo "# Clicks over a grid of the whole menu screen: shop tabs, purchases, potions, help texts." >"$1"
  python3 - "$1" <<'P'
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
}

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

prepare() {  # $1 folder
  local dir=$1
  mkdir -p "$dir"
  # Saves: a fresh one (no file at all) and a crafted one with every level, mode and ability open.
  python3 "$here/craft_save.py" "$dir/open.gsv"
  menu_sweep_script "$dir/menu-sweep.script"
  level_script "$dir/level1.script" 115 3000
  level_script "$dir/level5-abilities.script" 247 6000
  level_script "$dir/level10-abilities.script" 412 6000
  level_script "$dir/minigame.script" 477 4000
  level_script "$dir/marathon.script" 510 8000
  level_script "$dir/arena.script" 543 8000
}

play() {  # $1 binary, $2 prepared folder, $3 run name, $4 out folder, $5 trace path (optional)
  local bin=$1 dir=$2 name=$3 out=$4
  local trace=${5:-$out/trace.jsonl}
  local run save frames input
  run=$(list_runs | awk -v n="$name" '$1 == n')
  if [ -z "$run" ]; then
    echo "recorded-runs.sh: no run named $name" >&2
    return 2
  fi
  read -r _ save frames input <<<"$run"
  mkdir -p "$out/config" "$out/data"
  rm -f "$out/save.gsv"
  [ "$save" = open ] && cp "$dir/open.gsv" "$out/save.gsv"
  local how=(--input "$dir/$input")
  [ "$input" = autopilot ] && how=(--autopilot)
  XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
    "$bin" --headless --save-file "$out/save.gsv" --frames "$frames" "${how[@]}" \
    --trace "$trace" --dump-state "$out/final.json" >"$out/stdout" 2>"$out/stderr" || echo "exit $?" >>"$out/stderr"
  # A run that never saved leaves an empty file, so both sides of a comparison have one.
  [ -f "$out/save.gsv" ] || : >"$out/save.gsv"
}

case "${1:-}" in
  list) list_runs ;;
  prepare) [ $# -eq 2 ] || { echo "usage: $0 prepare DIR" >&2; exit 2; }; prepare "$2" ;;
  play) [ $# -eq 5 ] || [ $# -eq 6 ] || { echo "usage: $0 play BINARY DIR NAME OUT [TRACE]" >&2; exit 2; }
    play "$2" "$3" "$4" "$5" "${6:-}" ;;
  *) echo "usage: $0 list | prepare DIR | play BINARY DIR NAME OUT [TRACE]" >&2; exit 2 ;;
esac
