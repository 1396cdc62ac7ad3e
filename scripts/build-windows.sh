#!/usr/bin/env bash
# Cross-builds ordelix-convert.exe for 64-bit Windows into build-windows/
# (the "windows" preset) and packs
# dist/ordelix-convert-VERSION-windows-x64.zip: the program and the page
# (dist/ordelix.html, built by scripts/build-web.sh when missing) at its top,
# README.txt and the licences of what they hold. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
build_dir=build-windows
BUILD_TARGETS=ordelix-convert scripts/build.sh windows "$@"

version=$(scripts/project-version.sh)
mkdir -p dist
zip="dist/ordelix-convert-$version-windows-x64.zip"
[ -f dist/ordelix.html ] || scripts/build-web.sh
python3 scripts/pack_windows.py "$zip" "$version" "$build_dir/bin/ordelix-convert.exe" dist/ordelix.html
echo "Wrote $zip"
