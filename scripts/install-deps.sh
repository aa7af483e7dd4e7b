#!/bin/sh
# Installs what kivp needs to build, test and run on Debian, asking apt only for what is missing.
set -eu

packages="cmake g++ make pkg-config qt6-base-dev libgl-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev \
libbenchmark-dev fonts-liberation fonts-dejavu-core clang libclang-rt-14-dev gzip desktop-file-utils appstream libxml2-utils dpkg-dev file mingw-w64 wine \
g++-mingw-w64-x86-64-posix googletest ninja-build nsis xvfb xauth imagemagick xz-utils"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "kivp: these packages are missing and there is no sudo to install them:$missing" >&2
    exit 1
fi
echo "kivp: installing$missing"
$as_root apt-get update
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
