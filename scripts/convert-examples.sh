#!/usr/bin/env bash
# The main job: set up, build the programs, and convert every bundled example
# into build/reports/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_TARGETS=programs scripts/build.sh
mkdir -p build/reports
build/bin/ordelix-convert --force -d build/reports examples/*
