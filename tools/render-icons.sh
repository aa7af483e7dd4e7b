#!/bin/sh
# Renders the kivp icon's PNG sizes from packaging/icons/kivp.svg (run it after changing the drawing; the PNGs are
# kept in the repository so a build needs no SVG renderer). Needs chromium and ImageMagick.
set -eu
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp packaging/icons/kivp.svg "$work/kivp.svg"
printf '<body style="margin:0"><img src="kivp.svg" width="512" height="512"></body>' > "$work/big.html"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --default-background-color=00000000 \
    --window-size=512,512 --screenshot="$work/big.png" "file://$work/big.html" >/dev/null 2>&1
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "packaging/icons/${size}x${size}"
    convert "$work/big.png" -filter Lanczos -resize "${size}x${size}" -strip "PNG32:packaging/icons/${size}x${size}/kivp.png"
done
