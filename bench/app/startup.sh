#!/usr/bin/env bash
# Start-up time under Xvfb, from process start to the 983 x 785 main window being mapped:
# tipin (in a run folder with the bundled skins) against an empty Qt dialog of the same size,
# measured in turns. For orientation, also a plain Qt dialog that decodes the start-up skin's
# background bitmap and shows one text box: the least any skinned window with text does.
# Usage: bench/app/startup.sh [ROUNDS] [BUILD]   (a Release build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
rounds="${1:-10}"
build="$(cd "${2:-$root/build/release}" && pwd)" # absolute: the programs start in another folder
source "$root/scripts/xvfb.sh"
start_xvfb
run="$(mktemp -d)"
trap 'stop_xvfb; rm -rf "$run"' EXIT
cp "$build"/bin/*.zip "$build"/bin/*.skn "$run"/
"$build/bin/tipin-skin" extract "$run/Purple.skn" "$run/purple"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$run"

# Milliseconds from start to the window of the main window's size being mapped, taken by a
# probe that waits on the X server's events, never polls.
time_to_window() {
  (cd "$run" && "$build/bin/bench_map_probe" 983 785 "$@" 2>/dev/null)
}

tipin_times=()
empty_times=()
bitmap_times=()
for ((i = 0; i < rounds; ++i)); do
  tipin_times+=("$(time_to_window "$build/bin/tipin")")
  empty_times+=("$(time_to_window "$build/bin/bench_empty_dialog")")
  bitmap_times+=("$(time_to_window "$build/bin/bench_bitmap_text_dialog" "$run/purple/back.bmp")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
tipin_ms=$(median "${tipin_times[@]}")
empty_ms=$(median "${empty_times[@]}")
bitmap_ms=$(median "${bitmap_times[@]}")
echo "tipin to window mapped:       median ${tipin_ms} ms (${tipin_times[*]})"
echo "empty Qt dialog to mapped:    median ${empty_ms} ms (${empty_times[*]})"
echo "bitmap and text box dialog:   median ${bitmap_ms} ms (${bitmap_times[*]})"
awk -v a="$tipin_ms" -v b="$empty_ms" 'BEGIN { printf "ratio: %.2fx (goal <= 1.3x)\n", a / b }'
awk -v a="$tipin_ms" -v b="$bitmap_ms" 'BEGIN { printf "against the bitmap and text box dialog: %.2fx\n", a / b }'
