#!/usr/bin/env bash
# Photographs the running window under Xvfb, framed by a window manager, for
# the README (docs/window.png). With an export file as argument it converts a
# copy of that file, saves the report beside the copy and photographs the
# preview with its title and status line instead (docs/preview.png).
# Needs xvfb, xauth, xdotool, ImageMagick and openbox.
set -euo pipefail
cd "$(dirname "$0")/.."
export_file="${1:-}"
work="${TMPDIR:-/tmp}/ordelix-screenshot"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
[ -n "$export_file" ] && cp "$export_file" "$work/" && export_file="$work/$(basename "$export_file")"

xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  export_file=$1
  openbox &
  sleep 1
  build/bin/ordelix $export_file &
  app=$!
  sleep 3
  if [ -z "$export_file" ]; then
    import -frame -window "$(xdotool search --name "^TAVRO$" | head -1)" docs/window.png
    echo "wrote docs/window.png"
  else
    sleep 2
    xdotool key Return  # the save dialog: the suggested name beside the copy
    sleep 2
    import -frame -window "$(xdotool search --name "^Report - " | head -1)" docs/preview.png
    echo "wrote docs/preview.png"
  fi
  kill $app
' _ "$export_file" 2>&1 | grep -v -e XDG_RUNTIME_DIR -e "^Openbox-"
