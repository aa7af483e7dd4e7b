#!/bin/sh
# Builds kivp twice (normally, and the core with the address and undefined-behaviour sanitizers), runs every
# test of both builds, fuzzes every parser for a short while, then builds the core and its tests for Windows and
# runs them under Wine, and checks kivp.exe under Wine (check-windows.sh) when the prebuilt Qt for Windows is at
# ../shared/toolchains (or $KIVP_TOOLCHAINS). Exits non-zero when anything fails.
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

echo "== Windows build: the core tests as Windows programs under Wine =="
if toolchain=$(scripts/windows-toolchain.sh build-windows) || [ -d "${toolchain:-}/libjpeg" ]; then
    cmake -S . -B build-windows/core -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DJPEG_LIBRARY="$toolchain/libjpeg/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$toolchain/libjpeg/include" \
        -DKIVP_BUILD_UI=OFF -DKIVP_BUILD_BENCH=OFF -DKIVP_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Release
    cmake --build build-windows/core -j "$jobs"
    (cd build-windows/core && ctest --output-on-failure -j "$jobs") || status=1
else
    echo "kivp: no libjpeg for Windows could be made: the Windows build was not tested" >&2
    status=1
fi

echo "== kivp.exe under Wine: the window tests, the installer and a playoff =="
scripts/check-windows.sh || status=1

if [ "$status" -ne 0 ]; then
    echo "kivp: some tests failed" >&2
fi
exit "$status"
