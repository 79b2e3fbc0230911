#!/usr/bin/env bash
# Compares tipin-pages with tiffcp and cat on CCITT G4 files, and its rendering with
# tiff2rgba; then delete, cat and rotate against writing as many bytes with cat and sync. The test files are generated in a temporary folder and removed afterwards.
# Usage: bench/viewer/compare.sh [BUILD_DIR]   (default build/viewer-release, Release)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/viewer-release}"
if [[ ! -x "$build/bin/tipin-pages" ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTIPIN_TESTS=OFF -DTIPIN_BENCH=OFF >/dev/null
    cmake --build "$build" -j2 --target tipin-pages >/dev/null
fi
pages="$build/bin/tipin-pages"
work="$(mktemp -d /tmp/tipin-bench-XXXXXX)"
trap 'rm -rf "$work"' EXIT
runs=5

# One A4 page at 300 dpi with rows of word-sized blocks standing in for text, then 1000 and
# 200 copies of it.
words() {
    for y in $(seq 200 60 3300); do
        for x in $(seq 200 $((90 + y % 50)) 2200); do
            printf 'rectangle %d,%d %d,%d ' "$x" "$y" $((x + 40 + (x * y) % 45)) $((y + 28))
        done
    done
}
/usr/bin/convert -size 2480x3508 xc:white -fill black -draw "$(words)" \
    -density 300 -units PixelsPerInch -monochrome -compress Group4 "$work/page.tif"
copies() { local n=$1 out=$2; local list=(); for _ in $(seq "$n"); do list+=("$work/page.tif"); done; tiffcp "${list[@]}" "$out"; }
copies 1000 "$work/big.tif"
copies 200 "$work/small.tif"
echo "files: big.tif $(stat -c %s "$work/big.tif") bytes, small.tif $(stat -c %s "$work/small.tif") bytes"

# Best of $runs: prints "seconds peak_kib".
measure() {
    local best="" rss=""
    for _ in $(seq "$runs"); do
        "$@" >/dev/null 2>"$work/time.txt"
        local t m; t=$(tail -1 "$work/time.txt" | cut -d' ' -f1); m=$(tail -1 "$work/time.txt" | cut -d' ' -f2)
        if [[ -z "$best" ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; rss=$m; fi
    done
    echo "$best $rss"
}
# Wall time in nanoseconds from date: /usr/bin/time's 10 ms steps are too coarse beside cat.
timed() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/rss.txt" "$@"
    end=$(date +%s%N)
    echo "$(awk "BEGIN{printf \"%.4f\", ($end - $start) / 1e9}") $(cat "$work/rss.txt")" >&2
}
insert() { cp "$work/big.tif" "$work/target.tif"; timed "$pages" insert "$work/target.tif" 500 "$work/small.tif"; }
tiffcp_merge() { rm -f "$work/merged.tif"; timed tiffcp "$work/big.tif" "$work/small.tif" "$work/merged.tif"; }
cat_both() { timed sh -c 'cat "$1" "$2" > "$3"' sh "$work/big.tif" "$work/small.tif" "$work/cat.tif"; }
# The insert flushes its result to disk before it replaces the target; cat followed by a sync
# of its output is the byte-copy limit for such a write.
cat_sync_both() { timed sh -c 'cat "$1" "$2" > "$3" && sync "$3"' sh "$work/big.tif" "$work/small.tif" "$work/cat.tif"; }

# Writing N bytes of big.tif with cat, flushed: the byte-copy limit for a result of N bytes.
bytes_sync() { timed sh -c 'head -c "$1" "$2" > "$3" && sync "$3"' sh "$1" "$work/big.tif" "$work/bytes.tif"; }
# The copy of the target is flushed first, so that the command flushes only its own result.
fresh_target() { cp "$work/big.tif" "$work/target.tif" && sync "$work/target.tif"; }
delete_range() { fresh_target; timed "$pages" delete "$work/target.tif" 300-799; }
cat_files() { rm -f "$work/joined.tif"; timed "$pages" cat "$work/joined.tif" "$work/big.tif" "$work/small.tif"; }
rotate_page() { fresh_target; timed "$pages" rotate "$work/target.tif" 500 90; }

read -r t_insert rss_insert < <(measure insert)
read -r t_tiffcp _ < <(measure tiffcp_merge)
read -r t_cat _ < <(measure cat_both)
read -r t_cat_sync _ < <(measure cat_sync_both)
[[ "$("$pages" count "$work/target.tif")" == 1200 ]] || { echo "insert gave a wrong page count"; exit 1; }

tiffcp "$work/big.tif,0" "$work/one.tif"
read -r t_render _ < <(measure timed "$pages" render "$work/one.tif" 1 "$work/one.png" --fit 800x1000)
read -r t_rgba _ < <(measure timed tiff2rgba "$work/one.tif" "$work/one-rgba.tif")

read -r t_delete rss_delete < <(measure delete_range)
[[ "$("$pages" count "$work/target.tif")" == 500 ]] || { echo "delete gave a wrong page count"; exit 1; }
read -r t_delete_bytes _ < <(measure bytes_sync "$(stat -c %s "$work/target.tif")")
read -r t_cat_pages rss_cat_pages < <(measure cat_files)
[[ "$("$pages" count "$work/joined.tif")" == 1200 ]] || { echo "cat gave a wrong page count"; exit 1; }
read -r t_cat_bytes _ < <(measure bytes_sync "$(stat -c %s "$work/joined.tif")")
read -r t_rotate rss_rotate < <(measure rotate_page)
[[ "$("$pages" info "$work/target.tif" | sed -n 500p)" == "page 500: 3508x2480,"* ]] || { echo "rotate gave a wrong page"; exit 1; }

ratio() { awk "BEGIN{printf \"%.2f\", $1 / ($2 > 0 ? $2 : 0.001)}"; }
echo "insert 200 into 1000 at 500: ${t_insert}s, peak RSS $((rss_insert / 1024)) MiB (goal <= 32 MiB)"
echo "tiffcp merge: ${t_tiffcp}s -> insert/tiffcp = $(ratio "$t_insert" "$t_tiffcp") (goal <= 0.3)"
echo "cat: ${t_cat}s -> insert/cat = $(ratio "$t_insert" "$t_cat") (goal <= 2)"
echo "cat + sync: ${t_cat_sync}s -> insert/(cat + sync) = $(ratio "$t_insert" "$t_cat_sync")"
echo "render page into 800x1000: ${t_render}s; tiff2rgba: ${t_rgba}s -> $(ratio "$t_render" "$t_rgba") (goal <= 1.2)"
echo "delete 300-799 of 1000: ${t_delete}s, peak RSS $((rss_delete / 1024)) MiB (goal <= 32 MiB); cat + sync of as many bytes: ${t_delete_bytes}s -> $(ratio "$t_delete" "$t_delete_bytes") (goal <= 1.0)"
echo "cat 1000 + 200 pages: ${t_cat_pages}s, peak RSS $((rss_cat_pages / 1024)) MiB (goal <= 32 MiB); cat + sync of as many bytes: ${t_cat_bytes}s -> $(ratio "$t_cat_pages" "$t_cat_bytes") (goal <= 1.0)"
echo "rotate page 500 of 1000 by 90: ${t_rotate}s (goal < 0.3 s), peak RSS $((rss_rotate / 1024)) MiB (goal <= 32 MiB)"
