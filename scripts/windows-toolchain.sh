#!/bin/sh
# Makes the Windows libraries kivp builds with ready in DEST: Qt 6.4.2 and libjpeg-turbo for mingw-w64, unpacked
# into DEST/qt6.4.2-mingw-w64 from the prebuilt archive qt6.4.2-mingw-w64.tar.xz.
#   windows-toolchain.sh DEST [FOLDER]
# The archive is looked for in FOLDER, else in $KIVP_TOOLCHAINS, else in ../shared/toolchains beside this clone.
# Without it, KIVP_BUILD_QT=1 builds the same from Debian's source packages with the archive's recipe
# (scripts/windows/build-*-mingw.sh; about 75 minutes on 2 cores for Qt); otherwise only libjpeg is built from
# Debian's source (a few minutes), enough for the core and its tests, and the script says Qt is missing.
# Prints the folder on success; exits 3 when Qt is not there (libjpeg then is).
set -eu
mkdir -p "$1"
dest=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
folder=${2:-${KIVP_TOOLCHAINS:-$here/../../shared/toolchains}}
archive=$folder/qt6.4.2-mingw-w64.tar.xz
unpacked=$dest/qt6.4.2-mingw-w64
if [ -f "$unpacked/.kivp-ready" ]; then
    echo "$unpacked"
    [ -d "$unpacked/qt" ] && exit 0 || exit 3
fi
if [ -f "$archive" ]; then
    echo "kivp: unpacking $archive" >&2
    tar xJf "$archive" -C "$dest"
    touch "$unpacked/.kivp-ready"
    echo "$unpacked"
    exit 0
fi
echo "kivp: no prebuilt Qt for Windows at $archive" >&2
# apt-get source needs deb-src entries beside the deb ones.
if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/ ; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/kivp-deb-src.sources
    apt-get update >/dev/null
fi
work=$(mkdir -p "$dest/source" && cd "$dest/source" && pwd)
mkdir -p "$unpacked"
echo "kivp: building libjpeg-turbo for Windows from Debian's source" >&2
bash "$here/windows/build-libjpeg-mingw.sh" "$unpacked/libjpeg" "$work" >&2
if [ "${KIVP_BUILD_QT:-0}" = 1 ]; then
    echo "kivp: building Qt 6.4.2 for Windows from Debian's source: about 75 minutes on 2 cores" >&2
    bash "$here/windows/build-qt6-mingw.sh" "$unpacked/qt" "$work" >&2
fi
touch "$unpacked/.kivp-ready"
echo "$unpacked"
[ -d "$unpacked/qt" ] && exit 0 || exit 3
