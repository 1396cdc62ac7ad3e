#!/usr/bin/env bash
# Sets up, checks formatting, then builds and runs every test: as released,
# the Debian package made from that build, with AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows converter under wine and the
# browser's module in Node, both against the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows web

echo "== format check"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

echo "== release build and tests"
scripts/build.sh
# The built page's test waits for the page, the package's for the package, below.
ctest --test-dir build --output-on-failure -j2 -E '^web\.page$' -LE package

echo "== Debian package"
scripts/package-deb.sh
ctest --test-dir build --output-on-failure -L package

echo "== Windows build and tests under wine"
scripts/build-windows.sh
BUILD_DIR=build-windows scripts/build.sh
ctest --test-dir build-windows --output-on-failure -j2

echo "== browser module and its tests in Node, the page in headless Chromium"
BUILD_TARGETS= scripts/build-web.sh
ctest --test-dir build-web --output-on-failure -j2
ctest --test-dir build --output-on-failure -R '^web\.page$'

echo "== sanitizer build and tests"
BUILD_DIR=build-asan scripts/build.sh -DCMAKE_BUILD_TYPE=Sanitize -DORDELIX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2
