#!/usr/bin/env bash
# Builds the Debian package of BUILD_DIR into a scratch folder and checks it: it holds
# exactly the files listed in EXPECTED, depends on the Qt libraries the commands link
# and on libcups (which printing loads when it prints), and lintian finds no error in it.
set -euo pipefail
build=$1 expected=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  exit 1
fi
package=$(echo "$scratch"/kandelor_*_*.deb)
[ -f "$package" ] || { echo "no kandelor_<version>_<arch>.deb made"; exit 1; }

dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/files"
diff -u <(grep -v '^#' "$expected" | sort) "$scratch/files"

depends=$(dpkg-deb -f "$package" Depends)
for library in libqt6widgets6 libqt6gui6 libcups2 libc6; do
  grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done
# Printing draws with Qt GUI, so Qt Print Support is no dependency.
if grep -q libqt6printsupport6 <<<"$depends"; then
  echo "Depends names libqt6printsupport6: $depends"
  exit 1
fi

lintian --fail-on error "$package"
