#!/usr/bin/env bash
# Prints the one version, as CMakeLists.txt's project() sets it.
set -euo pipefail
cd "$(dirname "$0")/.."
sed -n 's/^project(Ordelix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
