#!/usr/bin/env bash
# What the game costs a desktop machine: runs it under Xvfb (a display server without a GPU)
# for 600 frames in the menu and in play, in an 800 x 600 window and full screen on a
# 1920 x 1080 screen, and a paused and a hidden level for ten seconds each; prints the share of a core used,
# the peak resident set, the wall time (start-up included), the time from the first frame shown
# to the last, and the frame intervals (median, 99th percentile, worst).
#
#   bench/desktop_cost.sh [GAME]     GAME defaults to build/zorvane2; FRAMES=600 changes the count
#
# Sound goes to SDL's dummy device, which still mixes in real time (the music's synthesis is
# counted). Needs Xvfb (scripts/install-deps.sh --bench), GNU time and xdotool. The machine's load
# average is printed first: on a busy machine the frame intervals widen.
set -euo pipefail
cd "$(dirname "$0")/.."
game=$(realpath "${1:-build/zorvane2}")
frames=${FRAMES:-600}
for tool in Xvfb /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "desktop_cost: $tool is missing (scripts/install-deps.sh --bench)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
n=90
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config"

# Newer builds keep their settings where told; older ones know no such option.
extra=()
if "$game" --help | grep -q -- --settings; then extra=(--settings "$work/settings.ini"); fi

printf '0 mouse 400 300\n' >"$work/menu.txt"
# Level 1, steering about and firing all the way.
{
  printf '0 mouse 50 110\n2 lbutton\n3-%d key X\n' "$frames"
  for ((f = 10; f < frames; f += 80)); do printf '%d-%d key LEFT\n%d-%d key UP\n' "$f" $((f + 30)) $((f + 40)) $((f + 60)); done
} >"$work/play.txt"
printf '0 mouse 50 110\n2 lbutton\n3-60 key X\n60 key P\n' >"$work/pause.txt"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; game: $game"
printf '%-22s %6s %8s %8s %9s %24s\n' "run" "core" "peak MB" "wall s" "frames s" "frame ms: median/p99/max"

percentiles() {
  [[ -s $1 ]] || { echo "-"; return; }
  awk 'NR > 1 { print ($1 - prev) / 1e6 } { prev = $1 }' "$1" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR == 0) { print "-"; exit }
      i = int(NR * 0.99); if (i < 1) i = 1
      printf "%.2f/%.2f/%.2f", v[int((NR + 1) / 2)], v[i], v[NR] }'
}

# The time from the first frame shown to the last, scaled to the number of frames.
span() {
  [[ -s $1 ]] || { echo "-"; return; }
  awk 'NR == 1 { first = $1 } { last = $1 } END { if (NR > 1) printf "%.2f", (last - first) / 1e9 * NR / (NR - 1); else print "-" }' "$1"
}

run() {
  local name=$1 script=$2
  shift 2
  rm -f "$work/frames" "$work/save.gsv"
  ZORVANE_FRAME_LOG="$work/frames" /usr/bin/time -f '%e %U %S %M' -o "$work/time" \
    "$game" --save-file "$work/save.gsv" "${extra[@]}" --input "$script" --frames "$frames" "$@" 2>"$work/err" ||
    { echo "$name: the game failed:"; cat "$work/err"; return 1; }
  read -r wall user sys rss <"$work/time"
  printf '%-22s %6.3f %8.1f %8.2f %9s %24s\n' "$name" "$(awk "BEGIN { print ($user + $sys) / $wall }")" \
    "$(awk "BEGIN { print $rss / 1024 }")" "$wall" "$(span "$work/frames")" "$(percentiles "$work/frames")"
}

run "menu, window" "$work/menu.txt" --windowed
run "play, window" "$work/play.txt" --windowed
SDL_AUDIODRIVER=none run "play, window, no sound" "$work/play.txt" --windowed
run "menu, full screen" "$work/menu.txt" --fullscreen
run "play, full screen" "$work/play.txt" --fullscreen

# Paused, then hidden: the share of a core over ten seconds (sampled from /proc) of a paused
# level, and of the menu in a window that is then hidden (unmapped, as a desktop does
# with a window on another workspace; minimising needs a window manager, which Xvfb lacks).
idle() {
  local name=$1 script=$2 hide=$3
  rm -f "$work/save.gsv"
  local input=()
  [[ -n $script ]] && input=(--input "$script")
  "$game" --save-file "$work/save.gsv" "${extra[@]}" "${input[@]}" --windowed 2>"$work/err" &
  pid=$!
  sleep 3
  if [[ $hide == yes ]]; then
    command -v xdotool >/dev/null || { kill -TERM "$pid"; wait "$pid" || true; printf '%-22s %6s\n' "$name" "-"; return; }
    xdotool search --pid "$pid" --name . windowunmap --sync >/dev/null 2>&1 || true
    sleep 1
  fi
  ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
  t0=$(ticks)
  sleep 10
  t1=$(ticks)
  kill -TERM "$pid"
  wait "$pid" || true
  printf '%-22s %6.3f\n' "$name" "$(awk "BEGIN { print ($t1 - $t0) / $(getconf CLK_TCK) / 10 }")"
}
idle "paused level, window" "$work/pause.txt" no
# A script decides pauses itself (so a recorded run replays the same), so the hidden window
# is measured as a player has it: the game started without one, in the menu.
idle "hidden menu, window" "" yes
