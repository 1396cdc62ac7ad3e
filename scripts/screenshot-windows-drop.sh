#!/usr/bin/env bash
# Photographs the Windows converter's console under wine after a folder was
# dropped on the .exe, for docs/windows.md (docs/windows-drop.png): a folder
# with a subfolder, a file that fails and a report that exists, kept.
# Needs build-windows/bin/ordelix-convert.exe (scripts/build-windows.sh), wine,
# xvfb, xdotool, ImageMagick and openbox.
set -euo pipefail
cd "$(dirname "$0")/.."
work=/tmp/ordelix-drop
rm -rf "$work"
mkdir -p "$work/Runs/plate 2" "$work/Ordelix"
trap 'rm -rf "$work"' EXIT
# Where a user unzips it, which the console's title shows.
cp build-windows/bin/ordelix-convert.exe "$work/Ordelix/"
cp examples/bca_std.PRO examples/dsdna.NUC "$work/Runs/"
cp examples/scan_step1.WSC "$work/Runs/plate 2/scan.WSC"
printf '7\r\n' >"$work/Runs/plate 2/broken.PRO"
build/bin/ordelix-convert -q "$work/Runs/dsdna.NUC"

export WINEPREFIX="${ORDELIX_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/ordelix/wine}"
export WINEDEBUG=-all
# The prefix is made as the tests make it.
scripts/wine-run.sh cmd.exe /c exit
xvfb-run -a -s "-screen 0 1200x800x24" bash -c '
  openbox &
  sleep 1
  # start gives the program a console of its own, as a drop does.
  wine start /wait /d "Z:\tmp\ordelix-drop" "Z:\tmp\ordelix-drop\Ordelix\ordelix-convert.exe" \
    "Z:\tmp\ordelix-drop\Runs" &
  until window=$(xdotool search --name "ordelix-convert.exe" | head -1) && [ -n "$window" ]; do
    sleep 0.5
  done
  sleep 2
  xdotool windowactivate --sync "$window" key k
  until [ -f "/tmp/ordelix-drop/Runs/plate 2/scan.xlsx" ] && [ -f /tmp/ordelix-drop/Runs/bca_std.xlsx ]; do
    sleep 0.5
  done
  # The console draws what the program wrote a moment later.
  sleep 8
  import -frame -window "$window" docs/windows-drop.png
  echo "wrote docs/windows-drop.png"
  xdotool key x
  wait %2
' 2>&1 | grep -v -e XDG_RUNTIME_DIR -e "^Openbox-"
