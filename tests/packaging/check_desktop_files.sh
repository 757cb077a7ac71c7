#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the manual pages as the desktop and man
# read them: each must pass its validator without a warning.
set -euo pipefail
dist=$1
desktop-file-validate "$dist/kandelor.desktop"
appstreamcli validate --no-net --pedantic "$dist/org.kandelor.kandelor.metainfo.xml"
for page in "$dist"/man/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
