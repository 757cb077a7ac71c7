#!/usr/bin/env bash
# Renders the icon's PNG sizes from kandelor.svg (needs rsvg-convert, Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" kandelor.svg -o "kandelor-$size.png"
done
