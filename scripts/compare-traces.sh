#!/usr/bin/env bash
# Plays the recorded runs of scripts/recorded-runs.sh on two builds of the game and compares,
# byte for byte, the per-frame traces and the save files the runs leave behind. Use it around a
# change that must not alter the game: build the old commit in a build folder of its own, then
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

# The runs, their saves and scripts: scripts/recorded-runs.sh, shared with the golden-runs test.
runs_script="$here/recorded-runs.sh"
bash "$runs_script" prepare "$work"
mapfile -t runs < <(bash "$runs_script" list)

failed=0
total_lines=0
printf '%-20s %7s %9s %12s  %s\n' run frames lines bytes result
for run in "${runs[@]}"; do
  read -r name save frames input <<<"$run"
  bash "$runs_script" play "$old" "$work" "$name" "$work/old/$name"
  bash "$runs_script" play "$new" "$work" "$name" "$work/new/$name"
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
