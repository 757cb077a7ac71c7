#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kandelor need,
# only those that are missing.
set -euo pipefail

# libcups2-dev: the headers of libcups, which printing loads at run time.
packages=(cmake g++ make qt6-base-dev libgl-dev libcups2-dev googletest libgtest-dev libbenchmark-dev
          clang-format xvfb xauth poppler-utils fonts-dejavu-core
          libx11-dev  # bench/startup.sh's timer, which waits for the window on the X server
          clang libclang-rt-14-dev  # clang and libFuzzer for scripts/fuzz.sh
          dpkg-dev lintian desktop-file-utils appstream man-db)  # the Debian package and its checks
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
