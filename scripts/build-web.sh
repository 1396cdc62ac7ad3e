#!/usr/bin/env bash
# Builds the browser edition's module with emscripten into build-web/ (the
# "web" preset): build-web/web/ordelix-core.js, one file with the WebAssembly
# inside. BUILD_TARGETS names what to build (default ordelix-core; set empty,
# everything, the module's tests too). Then, where the page's bundler is
# there, the page: dist/ordelix.html. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
build_dir=build-web
# Debian's emscripten finds Debian's acorn there.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
# Node as it is: emcmake's choice adds a flag today's Node refuses.
BUILD_TARGETS="${BUILD_TARGETS-ordelix-core}" emcmake scripts/build.sh web \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" "$@"

module="$build_dir/web/ordelix-core.js"
echo "Wrote $module ($(stat -c %s "$module") bytes)"
if [ -f scripts/bundle_web.py ]; then
  mkdir -p dist
  python3 scripts/bundle_web.py "$module" dist/ordelix.html
fi
