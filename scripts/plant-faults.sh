#!/usr/bin/env bash
# Plants realistic faults in the game one at a time and checks that the tests catch each one.
#
#   scripts/plant-faults.sh [fault-list]          (default: scripts/faults.txt)
#
# The checkout is never touched: its files are copied into build-faults/tree, each fault is made
# there (the script stops if its text is not found exactly once), the test binary is rebuilt
# incrementally in build-faults/tree/build (ccache shares objects with build/, since both lie at
# the same depth below their source tree) and run with --gtest_fail_fast. The planted file is put
# back before the next fault. At the end a table says, for each fault, which test failed first,
# and the script exits with 1 if any fault went unnoticed.
#
# Environment:
#   FAULTS_FILTER  gtest filter (default: every test but the soak, the campaign and the corridor,
#                  which take minutes, and the staged install, which needs the whole build's
#                  screenshots; the timeline faults are caught without them)
#   FAULTS_ONLY    run only the faults whose name matches this extended regular expression
#   FAULTS_OUT     where the table goes as well (default: build-faults/results.md)
#   FAULTS_ALL=1   run every test instead of stopping at the first failure, and list in
#                  build-faults/catchers.txt every test that caught each fault (to see which tests
#                  are the only ones guarding against a fault before merging or dropping any)
#   FAULTS_REV     plant the faults in this commit instead of the working tree (for instance to
#                  compare the catch rate of today's tests with an older set: FAULTS_REV=main)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
list=$(realpath "${1:-$root/scripts/faults.txt}")
work=$root/build-faults
tree=$work/tree
build=$tree/build
filter=${FAULTS_FILTER:--Soak.*:Campaign.*:Fields/Corridor.*:Install.*}
only=${FAULTS_ONLY:-}
rev=${FAULTS_REV:-}
all=${FAULTS_ALL:-}
failfast=--gtest_fail_fast
[[ -n $all ]] && failfast=""
out=${FAULTS_OUT:-$work/results.md}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
mkdir -p "$work/saved" "$work/logs"

# The fault list as records, and the copy kept in step with the checkout.
faults() {
  python3 - "$list" "$@" <<'PY'
import os, re, shutil, subprocess, sys

def records(path):
    recs, cur = [], {}
    for n, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        if line.startswith("#"):
            continue
        if not line.strip():
            if cur:
                recs.append(cur)
            cur = {}
            continue
        key, sep, value = line.partition(":")
        if not sep or key not in ("name", "file", "about", "find", "replace"):
            sys.exit(f"{path}:{n}: expected 'name:', 'file:', 'about:', 'find:' or 'replace:'")
        cur[key] = value[1:] if value.startswith(" ") else value
    if cur:
        recs.append(cur)
    names = set()
    for r in recs:
        for key in ("name", "file", "about", "find", "replace"):
            if key not in r:
                sys.exit(f"{path}: fault {r.get('name', '?')} has no '{key}:' line")
        if not r["find"] or r["find"] == r["replace"]:
            sys.exit(f"{path}: fault {r['name']} changes nothing")
        if r["name"] in names:
            sys.exit(f"{path}: fault {r['name']} is listed twice")
        names.add(r["name"])
    return recs

path, cmd, args = sys.argv[1], sys.argv[2], sys.argv[3:]
if cmd == "list":  # name <tab> file <tab> about
    for r in records(path):
        print(f"{r['name']}\t{r['file']}\t{r['about']}")
elif cmd == "apply":  # apply NAME TREE
    name, tree = args
    r = next((r for r in records(path) if r["name"] == name), None)
    if r is None:
        sys.exit(f"no fault named {name}")
    target = os.path.join(tree, r["file"])
    text = open(target, encoding="utf-8").read()
    count = text.count(r["find"])
    if count != 1:
        sys.exit(f"fault {name}: the text is found {count} times in {r['file']}, not once: {r['find']!r}")
    with open(target, "w", encoding="utf-8") as f:
        f.write(text.replace(r["find"], r["replace"]))
elif cmd == "sync":  # sync ROOT TREE [REV]: copy what differs (with a fresh time, so make sees it)
    root, tree = args[0], args[1]
    rev = args[2] if len(args) > 2 else ""
    git = ["git", "-C", root]
    if rev:
        listing = git + ["ls-tree", "-r", "-z", "--name-only", rev]
    else:
        listing = git + ["ls-files", "-co", "--exclude-standard", "-z"]
    files = subprocess.run(listing, check=True, capture_output=True).stdout.decode().split("\0")
    files = {f for f in files if f and (rev or os.path.isfile(os.path.join(root, f)))}
    for f in sorted(files):
        if rev:
            data = subprocess.run(git + ["show", f"{rev}:{f}"], check=True, capture_output=True).stdout
        else:
            data = open(os.path.join(root, f), "rb").read()
        dst = os.path.join(tree, f)
        if os.path.isfile(dst) and open(dst, "rb").read() == data:
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, "wb") as out:
            out.write(data)
        if rev or os.access(os.path.join(root, f), os.X_OK):
            mode = subprocess.run(git + ["ls-tree", rev or "HEAD", "--", f], capture_output=True).stdout.decode()
            if mode.startswith("100755") or (not rev and os.access(os.path.join(root, f), os.X_OK)):
                os.chmod(dst, 0o755)
    for top, dirs, names in os.walk(tree):
        if top == tree:
            dirs[:] = [d for d in dirs if d != "build"]
        for n in names:
            rel = os.path.relpath(os.path.join(top, n), tree)
            if rel not in files:
                os.remove(os.path.join(top, n))
PY
}

planted=""  # the file of the tree holding a fault right now
restore() {
  if [[ -n $planted ]]; then
    cp "$work/saved/file" "$tree/$planted"  # a fresh time: the next build compiles it again
    planted=""
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

build_tests() { cmake --build "$build" -j2 --target zorvane2_tests </dev/null >"$1" 2>&1; }

# Runs the tests; prints the first failing test, or nothing when all pass.
run_tests() {
  local log=$1 rc=0
  timeout 900 "$build/tests/zorvane2_tests" $failfast --gtest_filter="$filter" </dev/null >"$log" 2>&1 || rc=$?
  ((rc == 0)) && return 0
  local first
  first=$(grep -m1 -oP '^\[  FAILED  \] \K[^ ,]+' "$log" || true)
  if [[ -z $first ]]; then
    local last
    last=$(grep -oP '^\[ RUN      \] \K\S+' "$log" | tail -1 || true)
    if ((rc == 124)); then first="timeout in ${last:-?}"; else first="exit $rc in ${last:-?}"; fi
  fi
  echo "$first"
}

faults list >/dev/null  # the list is read once before anything is built
echo "copying the source tree${rev:+ of $rev} to $tree"
mkdir -p "$tree"
faults sync "$root" "$tree" "$rev"
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVANE_BENCH=OFF >"$work/logs/configure.log" 2>&1 ||
    { echo "configure failed: $work/logs/configure.log" >&2; exit 2; }
fi
echo "building and running the tests without any fault"
build_tests "$work/logs/clean-build.log" || { echo "the clean tree does not build: $work/logs/clean-build.log" >&2; exit 2; }
clean=$(run_tests "$work/logs/clean-test.log")
if [[ -n $clean ]]; then
  echo "the tests fail without any fault ($clean): $work/logs/clean-test.log" >&2
  exit 2
fi

table="| fault | what it does | caught by |"$'\n'"|---|---|---|"$'\n'
total=0 caught=0 missed_names=""
[[ -n $all ]] && : >"$work/catchers.txt"
while IFS=$'\t' read -r name file about; do
  [[ -n $only && ! $name =~ $only ]] && continue
  total=$((total + 1))
  printf '%-28s ' "$name"
  cp "$tree/$file" "$work/saved/file"
  planted=$file
  faults apply "$name" "$tree" || exit 2
  if ! build_tests "$work/logs/$name-build.log"; then
    echo "does not build: $work/logs/$name-build.log" >&2
    exit 2
  fi
  result=$(run_tests "$work/logs/$name-test.log")
  restore
  if [[ -n $all ]]; then
    echo "$name: $(grep -oP '^\[  FAILED  \] \K[^ ,]+(?=[ ,].*ms\))' "$work/logs/$name-test.log" | sort -u | tr '\n' ' ')" \
      >>"$work/catchers.txt"
  fi
  if [[ -n $result ]]; then
    caught=$((caught + 1))
    echo "caught by $result"
  else
    result="**MISSED**"
    missed_names+=" $name"
    echo "MISSED"
  fi
  table+="| $name | $about | $result |"$'\n'
done < <(faults list)

{
  echo "$table"
  echo "Caught $caught of $total faults (filter: $filter)."
  if [[ -n $missed_names ]]; then echo "Missed:$missed_names"; fi
} | tee "$out"
[[ -z $missed_names ]]
