#!/usr/bin/env bash
# Builds the Debian package build-release/package/kandelor_<version>_<arch>.deb
# (Release build, library dependencies worked out by dpkg-shlibdeps).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$repo/build-release" -DCMAKE_BUILD_TYPE=Release -DKANDELOR_WERROR=ON
cmake --build "$repo/build-release" -j"$(nproc)"
cpack --config "$repo/build-release/CPackConfig.cmake" -B "$repo/build-release/package"
ls "$repo"/build-release/package/kandelor_*.deb
