#!/usr/bin/env bash
# Fuzzes the conversion of every measurement mode, and the workbook writer,
# with libFuzzer for SECONDS (default 600); further arguments go to libFuzzer
# (-jobs=N -workers=N for more cores). Builds with clang into build-fuzz/. The
# corpus grows in build-fuzz/corpus/ from the seeds of examples/ and the
# checked-in tests/fuzz/corpus/; crashes land in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
scripts/install-deps.sh tests

scripts/build.sh fuzz
mkdir -p build-fuzz/corpus build-fuzz/findings
/usr/bin/python3 tests/fuzz/seed_corpus.py examples build-fuzz/seeds >/dev/null

cd build-fuzz
# The workbook library's temporary files, in memory: they cost most of a run.
TMPDIR=/dev/shm ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  bin/ordelix-fuzz corpus seeds ../tests/fuzz/corpus -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix=findings/ -print_final_stats=1 "$@"
