#!/usr/bin/env bash
# Sets up, checks formatting, then builds and runs every test: as released,
# the Debian package made from that build, the Windows converter under wine,
# the browser's module in Node and the page in headless Chromium, and the
# core, the converter, the data writers and the button control with
# AddressSanitizer and UndefinedBehaviorSanitizer. Each stage says how long it
# took, and the whole run at its end.
set -euo pipefail
cd "$(dirname "$0")/.."

run_started=$SECONDS
durations=()
stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  "$@"
  durations+=("$(printf '%4d s  %s' $((SECONDS - started)) "$name")")
  echo "== $name: $((SECONDS - started)) s"
}

release() {
  scripts/build.sh release
  # The built page's test waits for the page, the package's for the package, below.
  ctest --test-dir build --output-on-failure -j2 -E '^web\.page$' -LE package
}
package() {
  scripts/package-deb.sh
  ctest --test-dir build --output-on-failure -L package
}
windows() {
  scripts/build-windows.sh
  scripts/build.sh windows
  ctest --test-dir build-windows --output-on-failure -j2
}
web() {
  BUILD_TARGETS= scripts/build-web.sh
  ctest --test-dir build-web --output-on-failure -j2
  ctest --test-dir build --output-on-failure -R '^web\.page$'
}
sanitizers() {
  scripts/build.sh sanitize
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j2
}

stage "set-up" scripts/install-deps.sh tests windows web
stage "format check" bash -c "git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror"
stage "release build and tests" release
stage "Debian package" package
stage "Windows build and tests under wine" windows
stage "browser module in Node, the page in headless Chromium" web
stage "sanitizer build and tests" sanitizers

echo "== durations"
printf '%s\n' "${durations[@]}"
printf '%4d s  all\n' $((SECONDS - run_started))
