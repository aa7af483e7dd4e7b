#!/bin/sh
# Builds kivp and starts it on the bundled demo league, with the bundled stand-in simulator in place of KIV.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "kivp: no graphical display (DISPLAY is not set); run it from a desktop session or under xvfb-run." >&2
    exit 1
fi

scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target kivp kivsim

# The program folder of the demo: kivp keeps kivp.ini, the line score and saved playoffs here, and the stand-in
# simulator answers to every version name kivp may start.
home="$root/build/demo-home"
mkdir -p "$home"
if [ -x build/kivsim ]; then
    for name in kivsim kivsv40 kivsv45 kivsv46; do
        cp -f build/kivsim "$home/$name"
    done
fi
if [ ! -e "$home/kivp.ini" ]; then
    printf '[Location]\r\nDirectory=%s\r\n' "$root/demo" > "$home/kivp.ini"
fi

cd "$home"
exec "$root/build/kivp"
