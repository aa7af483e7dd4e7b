#!/bin/bash
# Builds libjpeg-turbo 2.1.5 (Debian's source package) as a static library for Windows x86_64 with mingw-w64.
# Usage: build-libjpeg-mingw.sh PREFIX [WORKDIR]. Needs deb-src entries for apt-get source (see README.md).
set -euo pipefail
prefix=$(readlink -f "$1"); work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
cd "$work"
apt-get source --download-only libjpeg-turbo
tar xzf libjpeg-turbo_2.1.5.orig.tar.gz
cmake -S libjpeg-turbo-2.1.5 -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DREQUIRE_SIMD=OFF
cmake --build build -j"$(nproc)"
cmake --install build
