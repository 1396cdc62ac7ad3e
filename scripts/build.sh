#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default build/) the targets in
# BUILD_TARGETS (default: all); extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
# Ninja where present; a build folder keeps the generator it was made with.
if [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null; then
  export CMAKE_GENERATOR=Ninja
fi
# Lets ccache (when it is the compiler launcher) cache sources built on
# precompiled headers; no source reads __DATE__ or __TIME__.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
cmake -S . -B "$build_dir" "$@" >/dev/null
# shellcheck disable=SC2086 # a list of target names
cmake --build "$build_dir" -j2 ${BUILD_TARGETS:+--target $BUILD_TARGETS}
