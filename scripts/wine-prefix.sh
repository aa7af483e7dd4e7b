#!/bin/sh
# Makes a Wine prefix once per build folder: wine-prefix.sh PREFIX [DRIVE LETTER].
# With DRIVE and LETTER (the Wine bridge's tests) its drives are C: and LETTER: (the folder DRIVE, where those tests
# make their installations) only, so that every other folder is one that Wine maps to no drive. Without them (the
# Windows build's tests) Wine's own drives are kept, Z: being the Linux root. Nothing is done when the prefix is
# ready already.
set -eu
prefix=$1
drive=${2:-}
letter=$(echo "${3:-}" | tr 'A-Z' 'a-z')
export WINEPREFIX="$prefix" WINEDEBUG=-all
[ -n "$drive" ] && mkdir -p "$drive"
[ -f "$prefix/.kivp-ready" ] && exit 0

rm -rf "$prefix"
echo "kivp: making the Wine prefix $prefix (once per build folder)"
# No Mono or Gecko: nothing kivp needs, and their installers would ask for a display.
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wineserver -w
if [ -n "$drive" ]; then
    rm -f "$prefix/dosdevices/z:"
    ln -sfn "$drive" "$prefix/dosdevices/$letter:"
fi
touch "$prefix/.kivp-ready"
