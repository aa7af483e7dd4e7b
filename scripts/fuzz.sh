#!/bin/sh
# Builds the fuzzers with clang and the sanitizers and runs each for a short fixed time (FUZZ_SECONDS, 20 by
# default), starting from the demo league and the test data. Exits non-zero on any crash, sanitizer report or
# broken promise; the input that caused it is kept in build-fuzz/findings/.
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKIVP_FUZZ=ON -DKIVP_SANITIZE=ON -DKIVP_BUILD_UI=OFF \
    -DKIVP_BUILD_TESTS=OFF -DKIVP_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)"

startingInputs() {
    case "$1" in
        SettingsFileFuzz) find tests/data -name '*.ini' ;;
        TeamFileFuzz) find demo tests/data/rosters -name '*.dat' ;;
        JpegFuzz) find tests/data/pictures -type f ;;
        PlayoffFileFuzz) find tests -iname '*.kvp' ;;
        *) ;;
    esac
}

status=0
mkdir -p build-fuzz/findings
for fuzzer in build-fuzz/*Fuzz; do
    name=$(basename "$fuzzer")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    for input in $(startingInputs "$name"); do cp -f "$input" "$corpus/" 2>/dev/null || true; done
    echo "== fuzzing $name for ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 "$fuzzer" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -max_len=65536 -print_final_stats=0 -artifact_prefix="build-fuzz/findings/$name-" \
        "$corpus" >"build-fuzz/$name.log" 2>&1; then
        echo "kivp: $name found a fault:" >&2
        tail -40 "build-fuzz/$name.log" >&2
        status=1
    fi
done
exit "$status"
