#!/usr/bin/env bash
# Builds everything in Release (build-release/), then with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-test/), and runs every test of the sanitizer build
# (widget tests run without a display, on Qt's offscreen platform).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build-test"

"$repo/scripts/install-deps.sh"

# Every target in Release too: optimisation brings warnings of its own (such as GCC's
# -Wrestrict), and warnings are errors.
cmake -S "$repo" -B "$repo/build-release" -DCMAKE_BUILD_TYPE=Release -DKANDELOR_WERROR=ON
cmake --build "$repo/build-release" -j"$(nproc)"

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKANDELOR_SANITIZE=ON -DKANDELOR_WERROR=ON
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$repo/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
cd "$build"
status=0
ctest --output-on-failure -j"$(nproc)" || status=$?

# The widget tests skip what this machine cannot do (printing needs a printer): say what
# was skipped and why, so a green run is not mistaken for a full one.
skipped=$(grep -h '^SKIP   :' Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true)
if [ -n "$skipped" ]; then
  echo "Skipped: $(wc -l <<<"$skipped") test functions"
  sed 's/^SKIP   : /  /' <<<"$skipped"
else
  echo "Skipped: none"
fi
exit "$status"
