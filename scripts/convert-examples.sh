#!/usr/bin/env bash
# The main job: set up, build, and convert every bundled example into build/reports/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p build/reports
build/bin/ordelix-convert --force -d build/reports examples/*
