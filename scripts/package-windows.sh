#!/bin/sh
# Builds kivp for Windows on Linux and packs it: a zip that runs from any folder, and an installer made with NSIS.
#   scripts/package-windows.sh [TOOLCHAINS]
# TOOLCHAINS is the folder holding qt6.4.2-mingw-w64.tar.xz (Qt 6.4.2 and libjpeg-turbo built for mingw-w64); by
# default $KIVP_TOOLCHAINS, else ../shared/toolchains beside this clone. Without the archive, KIVP_BUILD_QT=1
# builds the same from Debian's sources with the archive's recipe first: about 75 minutes on 2 cores.
# Everything goes to build-windows/: the build in build-windows/qt, the packages in build-windows/package.
# KIVP_WINDOWS_TESTS=1 builds the window tests for Windows too (test_ui.exe, which check-windows.sh runs).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
root=$PWD
out=$root/build-windows
if ! toolchain=$(scripts/windows-toolchain.sh "$out" "${1:-}"); then
    echo "kivp: Qt for Windows is missing; give the archive's folder, or set KIVP_BUILD_QT=1 to build it" \
         "from Debian's sources (about 75 minutes on 2 cores)" >&2
    exit 3
fi
version=$(sed -n 's/^project(kivp VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
jobs=$(nproc 2>/dev/null || echo 2)

tests=OFF
targets="kivp kivsim"
if [ "${KIVP_WINDOWS_TESTS:-0}" = 1 ]; then
    tests=ON
    targets="$targets test_ui"
fi
cmake -S . -B "$out/qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DJPEG_LIBRARY="$toolchain/libjpeg/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$toolchain/libjpeg/include" \
    -DKIVP_BUILD_TESTS=$tests -DKIVP_BUILD_BENCH=OFF -DKIVP_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" >/dev/null
# shellcheck disable=SC2086
cmake --build "$out/qt" -j "$jobs" --target $targets

# What kivp.exe needs beside it: Qt's libraries and plugins, and the C++ runtime of mingw-w64.
stage=$out/package/kivp-$version
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/imageformats" "$stage/demo"
x86_64-w64-mingw32-strip -o "$stage/kivp.exe" "$out/qt/kivp.exe"
x86_64-w64-mingw32-strip -o "$stage/kivsim.exe" "$out/qt/kivsim.exe"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
    cp "$toolchain/qt/bin/$dll.dll" "$stage/"
done
cp "$toolchain/qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$toolchain/qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$toolchain/qt/plugins/imageformats/"*.dll "$stage/imageformats/"
runtime=/usr/lib/gcc/x86_64-w64-mingw32/$(x86_64-w64-mingw32-g++-posix -dumpversion)
cp "$runtime/libstdc++-6.dll" "$runtime/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
cp src/ui/help/kivp-help.html "$stage/"
cp packaging/windows/kivp.ico "$stage/"
for team in demo/*; do
    case $team in *.[dD][aA][tT]) cp "$team" "$stage/demo/" ;; esac
done
printf 'KIV Playoff Mode %s for Windows\r\n\r\nkivp.exe keeps kivp.ini, saved playoffs and html.html in the folder it is started in,\r\nand starts the simulator there. Start it in your simulator'"'"'s folder (a shortcut whose\r\n"Start in" is that folder), or with --program-folder FOLDER. kivsim.exe is a stand-in\r\nsimulator; the demo folder holds a demo league for it.\r\n' "$version" > "$stage/README.txt"

rm -f "$out/package/kivp-$version-windows.zip"
(cd "$out/package" && cmake -E tar cf "kivp-$version-windows.zip" --format=zip "kivp-$version")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/package/kivp-$version-setup.exe" \
    packaging/windows/kivp.nsi
echo "kivp: made $out/package/kivp-$version-windows.zip and $out/package/kivp-$version-setup.exe"
