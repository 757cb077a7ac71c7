#!/usr/bin/env bash
# Builds the libFuzzer programs with clang in build-fuzz/ and runs each for a while.
#
#   bash scripts/fuzz.sh [TARGET|all] [SECONDS] [libFuzzer options...]
#
# TARGET is one of project_file_fuzz, catalogue_fuzz, lm63_fuzz, eulumdat_fuzz,
# catalogue_list_fuzz (default all), SECONDS the time per target (default 60). Each target keeps its
# corpus in build-fuzz/corpus/TARGET and starts from its seeds; an input that makes it
# fail is written to build-fuzz/failures/TARGET/ and the script exits non-zero. Such
# an input belongs in the test suite: tests/model/fuzz_inputs/ for project files,
# tests/calc/fuzz_inputs/{catalogue,lm63,eulumdat,catalogue_list}/ for the others.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build-fuzz"
all=(project_file_fuzz catalogue_fuzz lm63_fuzz eulumdat_fuzz catalogue_list_fuzz)

which=${1:-all}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
if [ "$which" = all ]; then
  targets=("${all[@]}")
elif [[ " ${all[*]} " == *" $which "* ]]; then
  targets=("$which")
else
  echo "usage: $0 [all|$(IFS='|'; echo "${all[*]}")] [SECONDS] [libFuzzer options...]" >&2
  exit 2
fi

"$repo/scripts/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKANDELOR_BUILD_GUI=OFF -DKANDELOR_BUILD_BENCH=OFF -DKANDELOR_FUZZ=ON -DKANDELOR_WERROR=ON
fi
cmake --build "$build" -j2 --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  failures="$build/failures/$target"
  mkdir -p "$corpus" "$failures"
  echo "== $target for $seconds s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$failures/" "$@" "$corpus" "$build/fuzz/seeds/$target"; then
    echo "== $target FAILED; the input is in $failures/" >&2
    status=1
  fi
done
exit $status
