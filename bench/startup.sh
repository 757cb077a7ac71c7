#!/usr/bin/env bash
# bench/startup.sh [-n RUNS] [BUILD_DIR]: Kandelor's start-up against a bare Qt main
# window (bench/app/bare_window: a menu bar and a status bar, nothing else).
# Each program is started RUNS times (default 15), the two in turn, after one unmeasured
# start of each to warm the file cache. bench/app/map_timer measures the time from exec
# to the X server mapping the program's window, and the resident memory (VmRSS) 500 ms
# after that, once the window is painted. Prints the medians and the two ratios.
# Runs on $DISPLAY, else on an Xvfb of its own. Kandelor starts in a scratch working
# folder seeded with the shipped data files, as scripts/run.sh seeds run/.
# BUILD_DIR (default build-release) must hold the targets kandelor, bare_window and
# map_timer.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
runs=15
if [ "${1:-}" = "-n" ]; then
  runs=$2
  shift 2
fi
build=$(cd "${1:-"$repo/build-release"}" && pwd)
kandelor=$build/kandelor bare=$build/bench/app/bare_window timer=$build/bench/app/map_timer
for f in "$kandelor" "$bare" "$timer"; do
  [ -x "$f" ] || { echo "startup.sh: $f is missing; build kandelor bare_window map_timer" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display and writes its number to fd 3 once it accepts clients.
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
  done
  [ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(cat "$scratch/display")"
fi
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

mkdir -p "$scratch/work/photometry"
for f in new.dat xxx.dat light.dat Type.dat photometry.dat HELP.HLP photometry/catalog.list \
  "$repo"/data/photometry/*.ies; do
  f=${f#"$repo/data/"}
  cp "$repo/data/$f" "$scratch/work/$f"
done

measure() {  # program, output file
  (cd "$scratch/work" && "$timer" "$1") >>"$2"
}
measure "$bare" /dev/null
measure "$kandelor" /dev/null
for _ in $(seq "$runs"); do
  measure "$bare" "$scratch/bare"
  measure "$kandelor" "$scratch/kandelor"
done

median() {  # file, column
  sort -n -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
bare_ms=$(median "$scratch/bare" 1) bare_kb=$(median "$scratch/bare" 2)
kandelor_ms=$(median "$scratch/kandelor" 1) kandelor_kb=$(median "$scratch/kandelor" 2)
awk -v runs="$runs" -v bm="$bare_ms" -v bk="$bare_kb" -v km="$kandelor_ms" -v kk="$kandelor_kb" '
  BEGIN {
    printf "runs: %d each (medians)\n", runs
    printf "%-12s %10s %10s\n", "", "to map", "memory"
    printf "%-12s %7.1f ms %7.1f MB\n", "bare window", bm, bk / 1024
    printf "%-12s %7.1f ms %7.1f MB\n", "kandelor", km, kk / 1024
    printf "%-12s %9.2fx %9.2fx\n", "ratio", km / bm, kk / bk
  }'
