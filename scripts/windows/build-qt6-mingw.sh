#!/bin/bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, PrintSupport, Test, the Windows platform plugin) for Windows x86_64
# with mingw-w64 from Debian's qt6-base source package, using the host's Qt 6.4.2 tools (qt6-base-dev-tools).
# Usage: build-qt6-mingw.sh PREFIX [WORKDIR]. Needs deb-src entries for apt-get source (see README.md).
# Took about 75 minutes of 2 cores under load here (1,154 build steps).
set -euo pipefail
prefix=$(readlink -f "$1"); work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
apt-get install -y --no-install-recommends g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools cmake ninja-build
cd "$work"
apt-get source --download-only qt6-base
tar xJf qt6-base_6.4.2+dfsg.orig.tar.xz
# Debian's source leaves out the Wintab tablet header, so tablet events are switched off.
# Without OpenGL, Qt 6.4.2's Windows platform plugin still tests the dynamic-GL feature alone: test both.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows/qwindowswindow.cpp
cmake -S qtbase-everywhere-src-6.4.2 -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64.cmake" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DINPUT_openssl=no \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_jpeg=OFF
cmake --build build -j"$(nproc)"
cmake --install build
