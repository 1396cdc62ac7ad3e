#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG into NxN/ folders. The PNGs are
# checked in, so that building needs no SVG renderer: run this after changing
# the SVG (needs rsvg-convert, from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --output "${size}x${size}/org.ordelix.Ordelix.png" \
    org.ordelix.Ordelix.svg
done
