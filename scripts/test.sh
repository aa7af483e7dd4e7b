#!/bin/sh
# Builds kivp twice (normally, and the core with the address and undefined-behaviour sanitizers), runs every
# test of both builds, then fuzzes every parser for a short while. Exits non-zero when anything fails.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
status=0

echo "== normal build =="
cmake -S . -B build -DKIVP_WARNINGS_AS_ERRORS=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs") || status=1

echo "== sanitizer build =="
cmake -S . -B build-sanitize -DKIVP_SANITIZE=ON -DKIVP_BUILD_UI=OFF -DKIVP_BUILD_BENCH=OFF \
    -DKIVP_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs") || status=1

echo "== fuzzing =="
scripts/fuzz.sh || status=1

if [ "$status" -ne 0 ]; then
    echo "kivp: some tests failed" >&2
fi
exit "$status"
