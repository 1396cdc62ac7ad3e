#!/usr/bin/env bash
# Photographs the running window under Xvfb for the README (docs/window.png).
# With an export file as argument it converts that file, cancels the save
# dialog and photographs the preview instead (docs/preview.png).
# Needs xvfb, xauth, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
export_file="${1:-}"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  export_file=$1
  if [ -z "$export_file" ]; then
    build/bin/ordelix &
    app=$!
    sleep 3
    import -window root -crop 800x600+0+0 +repage docs/window.png
    echo "wrote docs/window.png"
  else
    build/bin/ordelix "$export_file" &
    app=$!
    sleep 3
    xdotool mousemove 400 228 click 1
    sleep 2
    xdotool key Escape
    sleep 2
    import -window root -crop 1100x680+0+0 +repage docs/preview.png
    echo "wrote docs/preview.png"
  fi
  kill $app
' _ "$export_file" 2>&1 | grep -v XDG_RUNTIME_DIR
