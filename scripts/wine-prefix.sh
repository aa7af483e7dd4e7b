#!/bin/sh
# Makes the Wine prefix the Wine tests play in, once per build folder: wine-prefix.sh PREFIX DRIVE LETTER.
# Its drives are C: and LETTER: (the folder DRIVE, where the tests make their installations) only, so that every
# other folder is one Wine maps to no drive. Nothing is done when the prefix is ready already.
set -eu
prefix=$1
drive=$2
letter=$(echo "$3" | tr 'A-Z' 'a-z')
export WINEPREFIX="$prefix" WINEDEBUG=-all
mkdir -p "$drive"
[ -f "$prefix/.kivp-ready" ] && exit 0

rm -rf "$prefix"
echo "kivp: making the Wine prefix $prefix (once per build folder)"
# No Mono or Gecko: nothing a console program needs, and their installers would ask for a display.
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wineserver -w
rm -f "$prefix/dosdevices/z:"
ln -sfn "$drive" "$prefix/dosdevices/$letter:"
touch "$prefix/.kivp-ready"
