#!/usr/bin/env bash
# Configures the build PRESET names (CMakePresets.json; default release, the
# Linux build with its tests) and builds the targets in BUILD_TARGETS
# (default: all). Further arguments go to CMake's configure.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
shift || true
# Lets ccache (when it is the compiler launcher) cache sources built on
# precompiled headers; no source reads __DATE__ or __TIME__.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
cmake --preset "$preset" "$@" >/dev/null
# shellcheck disable=SC2086 # a list of target names
cmake --build --preset "$preset" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
