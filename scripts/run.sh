#!/usr/bin/env bash
# Builds Kandelor and starts it in the working folder run/ (or the folder given),
# seeded with the shipped data files (and the photometric files the catalogue was built
# from) where they are absent. Without a display the
# program runs on a virtual one (xvfb-run).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
workdir=${1:-"$repo/run"}

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$repo/build" -DCMAKE_BUILD_TYPE=Release -DKANDELOR_BUILD_BENCH=OFF
cmake --build "$repo/build" -j"$(nproc)" --target kandelor kandelor-catalog kandelor-schedule

mkdir -p "$workdir"
mkdir -p "$workdir/photometry"
for f in new.dat xxx.dat light.dat Type.dat photometry.dat space_types.csv HELP.HLP \
  photometry/catalog.list \
  "$repo"/data/photometry/*.ies "$repo"/data/photometry/*.ldt; do
  f=${f#"$repo/data/"}
  [ -e "$workdir/$f" ] || cp "$repo/data/$f" "$workdir/$f"
done

cd "$workdir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: Kandelor runs on a virtual screen (xvfb-run), which shows nothing here." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$repo/build/kandelor"
fi
exec "$repo/build/kandelor"
