#!/usr/bin/env bash
# Draws the main window's 800 x 600 background: a pale gradient with a faint
# absorbance spectrum and its grid. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=app/window/resources/background.png

points=$(awk 'BEGIN {
  for (x = 40; x <= 760; x += 8) {
    a = exp(-((x - 300) ^ 2) / 5000) * 230 + exp(-((x - 520) ^ 2) / 9000) * 120;
    printf "%d,%d ", x, 540 - a
  }
}')
grid=""
for x in $(seq 40 80 760); do grid+="line $x,300 $x,560 "; done
for y in $(seq 300 40 560); do grid+="line 40,$y 760,$y "; done

convert -size 800x600 gradient:'#f4f7fc'-'#c3d2ea' \
  -stroke '#b4c4de' -strokewidth 1 -draw "$grid" \
  -fill none -stroke '#7f9cc8' -strokewidth 3 -draw "polyline $points" \
  -strip "$out"
echo "wrote $out"
