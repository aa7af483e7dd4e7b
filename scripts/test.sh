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
# With the prebuilt Qt, one build serves the core tests here and kivp.exe and the window tests in
# check-windows.sh (configured as package-windows.sh configures it); without it, the core alone with libjpeg.
toolchain=$(scripts/windows-toolchain.sh build-windows) && found=0 || found=$?
if [ "$found" -eq 0 ]; then
    windows=build-windows/qt
    set -- -DCMAKE_TOOLCHAIN_FILE="$toolchain/qt/lib/cmake/Qt6/qt.toolchain.cmake"
else
    windows=build-windows/core
    set -- -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DKIVP_BUILD_UI=OFF
fi
if [ "$found" -eq 0 ] || [ "$found" -eq 3 ]; then
    cmake -S . -B "$windows" -G Ninja "$@" \
        -DJPEG_LIBRARY="$toolchain/libjpeg/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$toolchain/libjpeg/include" \
        -DKIVP_BUILD_TESTS=ON -DKIVP_BUILD_BENCH=OFF -DKIVP_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG"
    cmake --build "$windows" -j "$jobs"
    # The window tests run in check-windows.sh, on Wine's own windows.
    (cd "$windows" && ctest --output-on-failure -j "$jobs" -LE '^ui$') || status=1
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
