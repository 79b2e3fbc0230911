#!/usr/bin/env bash
# Renders 30 000 x 30 000 pages (tiled and in strips, Deflate) into 800 x 1000 and prints the
# peak RSS of tipin-pages beside its peak for a tiny page: the difference is the working
# memory, which must stay within 64 MiB. Then turns 10 000 x 10 000 pages (100 MB decoded)
# and asks to turn the 30 000 x 30 000 ones, which are refused: every turn must stay within
# 32 MiB in all. The files are generated in /tmp and removed.
# Usage: bench/viewer/render-memory.sh [BUILD_DIR]   (default build/viewer-release, Release)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/viewer-release}"
if [[ ! -x "$build/bin/tipin-pages" || ! -x "$build/bin/tipin-huge-tiff" ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTIPIN_TESTS=OFF -DTIPIN_BENCH=ON >/dev/null
    cmake --build "$build" -j2 --target tipin-pages tipin-huge-tiff >/dev/null
fi
pages="$build/bin/tipin-pages"
work="$(mktemp -d /tmp/tipin-memory-XXXXXX)"
trap 'rm -rf "$work"' EXIT

# Prints "peak_kib seconds" of one render.
peak() {
    /usr/bin/time -f "%M %e" -o "$work/time.txt" "$pages" render "$1" 1 "$work/out.png" --fit 800x1000
    cat "$work/time.txt"
}

/usr/bin/convert -size 8x8 xc:gray -depth 8 -compress Zip "$work/tiny.tif"
read -r base _ < <(peak "$work/tiny.tif")
echo "tiny page: peak RSS $((base / 1024)) MiB (baseline)"
status=0
for layout in tiled strips; do
    "$build/bin/tipin-huge-tiff" "$work/$layout.tif" "$layout"
    read -r rss seconds < <(peak "$work/$layout.tif")
    extra=$(((rss - base) / 1024))
    verdict=ok
    ((extra <= 64)) || { verdict="OVER"; status=1; }
    echo "30000x30000 $layout ($(stat -c %s "$work/$layout.tif") bytes): ${seconds}s," \
        "peak RSS $((rss / 1024)) MiB, working memory $extra MiB (goal <= 64 MiB) $verdict"
done

# Prints "peak_kib seconds exit_code" of one turn by 90 degrees.
turn() {
    local code=0
    /usr/bin/time -f "%M %e" -o "$work/time.txt" "$pages" rotate "$1" 1 90 2>"$work/turn.err" || code=$?
    echo "$(tail -1 "$work/time.txt") $code"
}
for layout in tiled strips; do
    for side in 10000 30000; do
        "$build/bin/tipin-huge-tiff" "$work/turn.tif" "$layout" "$side"
        read -r rss seconds code < <(turn "$work/turn.tif")
        verdict=ok
        ((rss / 1024 <= 32)) || { verdict="OVER"; status=1; }
        outcome="turned"
        ((code == 0)) || outcome="refused ($(cat "$work/turn.err"))"
        echo "turn ${side}x${side} $layout: ${seconds}s, peak RSS $((rss / 1024)) MiB (goal <= 32 MiB) $verdict, $outcome"
    done
done
exit "$status"
