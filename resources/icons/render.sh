#!/usr/bin/env bash
# Renders the committed PNGs of the application icon from its SVG sources (run once after
# changing a source; needs rsvg-convert from librsvg2-bin, and ImageMagick's convert).
# tipin.svg is drawn on a 32-pixel grid and gives 32, 64, 128 and 256; the small and middle
# sizes have their own sources drawn on their own pixel grid, so that every edge is crisp.
# 22 is the 24-pixel drawing without its empty outer pixel.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
render() { # size source
    local out="$here/hicolor/$1x$1/apps/tipin.png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert -w "$1" -h "$1" "$2" -o "$out"
}
render 16 "$here/src/tipin-16.svg"
render 24 "$here/src/tipin-24.svg"
render 48 "$here/src/tipin-48.svg"
for size in 32 64 128 256; do
    render "$size" "$here/tipin.svg"
done
mkdir -p "$here/hicolor/22x22/apps"
convert "$here/hicolor/24x24/apps/tipin.png" -crop 22x22+1+1 +repage -strip \
    -define png:exclude-chunks=date,time "PNG32:$here/hicolor/22x22/apps/tipin.png"
