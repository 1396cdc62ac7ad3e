#!/usr/bin/env bash
# Sets up, builds, and writes the Debian package dist/ordelix_VERSION_amd64.deb
# with CPack. Install it with: sudo apt install ./dist/ordelix_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_TARGETS=programs scripts/build.sh
build_dir=build
cpack --config "$build_dir/CPackConfig.cmake" >/dev/null
# CPack's staging folder holds a second copy of every file.
rm -rf dist/_CPack_Packages
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
echo "dist/ordelix_${version}_$(dpkg --print-architecture).deb"
