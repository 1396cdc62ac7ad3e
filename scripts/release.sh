#!/usr/bin/env bash
# Sets up and builds every artifact of the release into dist/, each named
# with the version CMakeLists.txt sets: the Debian package, the Python
# module's wheel and source archive, the page, the Windows zip with the page
# inside, and SHA256SUMS listing them. The builds already made are reused:
# the wheel takes its extension from the release build. With --packed, the
# page and the Windows zip already in dist/ are taken as they are: the test
# command has made them, and runs the Windows tests while this packs.
set -euo pipefail
cd "$(dirname "$0")/.."
packed=0
[ "${1:-}" = --packed ] && packed=1
scripts/install-deps.sh release windows web
version=$(scripts/project-version.sh)

scripts/package-deb.sh
if [ $packed -eq 0 ]; then
  # The page first: the Windows zip carries it.
  scripts/build-web.sh
  scripts/build-windows.sh
fi
# The interpreter the release build made the extension for.
ORDELIX_BUILD_DIR=$PWD/build /usr/bin/python3 -m build --no-isolation --sdist --wheel \
  --outdir dist . >/dev/null

cd dist
wheel=(ordelix-"$version"-*.whl)
artifacts=("ordelix_${version}_$(dpkg --print-architecture).deb" "${wheel[@]}"
  "ordelix-$version.tar.gz" "ordelix-convert-$version-windows-x64.zip" ordelix.html)
sha256sum "${artifacts[@]}" >SHA256SUMS.partial
mv SHA256SUMS.partial SHA256SUMS
printf 'dist/%s\n' "${artifacts[@]}" SHA256SUMS
