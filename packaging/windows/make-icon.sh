#!/usr/bin/env bash
# Draws packaging/windows/roomwright.ico, the programs' icon on Windows, from
# packaging/roomwright.svg: 16 to 64 pixels as bitmaps, 256 as PNG (`make windows-icon`).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for size in 16 24 32 48 64 256; do
    rsvg-convert -w $size -h $size "$here/../roomwright.svg" -o "$scratch/$size.png"
done
icotool -c -o "$here/roomwright.ico" "$scratch"/{16,24,32,48,64}.png -r "$scratch/256.png"
icotool -l "$here/roomwright.ico"
