#!/usr/bin/env bash
# Sets up, checks formatting, then builds and runs every test: as released,
# the Debian package made from that build, the Windows converter under wine,
# the browser's module in Node and the page in headless Chromium, and the
# core, the converter, the data writers and the button control with
# AddressSanitizer and UndefinedBehaviorSanitizer. The browser's, then the
# Windows stages run beside the others, their output held until they end.
# Each stage says how long it took, and the whole run at its end.
set -euo pipefail
cd "$(dirname "$0")/.."

run_started=$SECONDS
timings=$(mktemp)
beside_log=$(mktemp)
# A stage that fails ends the run, and the stages beside it with it.
trap 'jobs -p | xargs -r kill 2>/dev/null; rm -f "$timings" "$beside_log"' EXIT

stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  "$@"
  printf '%4d s  %s\n' $((SECONDS - started)) "$name" >>"$timings"
  echo "== $name: $((SECONDS - started)) s"
}

programs() {
  BUILD_TARGETS=programs scripts/build.sh release
}
release() {
  scripts/build.sh release
  # The built page's test waits for the page, the package's for the package, below.
  ctest --test-dir build --output-on-failure -j2 -E '^web\.page$' -LE package
}
package() {
  scripts/release.sh --packed
  ctest --test-dir build --output-on-failure -L package
}
windows_build() {
  scripts/build-windows.sh
  scripts/build.sh windows
}
windows_tests() {
  ctest --test-dir build-windows --output-on-failure -j2
}
web() {
  BUILD_TARGETS= scripts/build-web.sh
  ctest --test-dir build-web --output-on-failure -j2
}
page() {
  ctest --test-dir build --output-on-failure -R '^web\.page$'
}
sanitizers() {
  scripts/build.sh sanitize
  # A freed block is held back from reuse until 16 MiB more are freed, several
  # small files' conversions: past that, a batch's blocks come back instead of
  # fresh pages faulted in, poisoned and scanned, which cost batches three
  # quarters of their time under the default 256 MiB.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=16 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j2
}
# Runs stages one after another beside the main line: beside NAME FUNCTION
# [NAME FUNCTION ...]. join_beside waits for them and shows what they printed.
beside() {
  (while [ $# -gt 0 ]; do
    stage "$1" "$2"
    shift 2
  done) >"$beside_log" 2>&1 &
  beside=$!
}
join_beside() {
  local status=0
  wait "$beside" || status=$?
  echo "== beside the above:"
  cat "$beside_log"
  [ $status -eq 0 ] || exit $status
}

stage "set-up" scripts/install-deps.sh tests windows web
stage "format check" bash -c "git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror"
# The browser's and the Windows tests compare with the Linux converter.
stage "the Linux programs" programs
# Three rounds of two lines, each of the two about as long as the other. The
# page needs the browser module and the Linux converter, both built before it.
beside "browser module build and tests in Node" web "the page in headless Chromium" page
stage "release build and tests" release
join_beside
# The Windows zip carries the page, built now.
beside "Windows build" windows_build
stage "sanitizer build and tests" sanitizers
join_beside
# The package packs the Windows zip, built now.
beside "Windows tests under wine" windows_tests
stage "release: package, wheel, zip" package
join_beside

echo "== durations"
cat "$timings"
printf '%4d s  all\n' $((SECONDS - run_started))
