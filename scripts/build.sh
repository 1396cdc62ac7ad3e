#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default build/); extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" -j2
