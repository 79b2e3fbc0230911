#!/usr/bin/env bash
# Extracts three generated archives with tipin-skin, Info-ZIP unzip and a bare raw-inflate
# loop, in turns, and prints the median times and the ratios.
# Usage: bench/zip/compare.sh [RUNS]   (needs python3 and the Debian package unzip)
# TIPIN_BENCH_OUT picks the output folder (default under /tmp; /dev/shm leaves the disk out).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
runs="${1:-5}"
build="$root/build/zip-release"
work="/tmp/tipin-zip-bench"
out="${TIPIN_BENCH_OUT:-$work/out}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTIPIN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tipin-skin bench_zip_raw_inflate >/dev/null
python3 "$root/bench/zip/make_archives.py" "$work"

# Microseconds that one extraction into a fresh folder takes.
time_one() {
  rm -rf "$out"
  mkdir -p "$out"
  sync
  local start end
  start=$(date +%s%N)
  "$@" "$out" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

printf "%-16s %12s %12s %12s %10s %10s\n" archive "tipin ms" "unzip ms" "inflate ms" \
  "tipin/unz" "tipin/inf"
for name in bitmaps small-files text; do
  archive="$work/$name.zip"
  : >"$work/tipin.t"
  : >"$work/unzip.t"
  : >"$work/raw.t"
  for _ in $(seq "$runs"); do
    time_one "$build/bin/tipin-skin" extract "$archive" >>"$work/tipin.t"
    time_one unzip -qq -o "$archive" -d >>"$work/unzip.t"
    time_one "$build/bin/bench_zip_raw_inflate" "$archive" >>"$work/raw.t"
  done
  tipin=$(median <"$work/tipin.t")
  unz=$(median <"$work/unzip.t")
  raw=$(median <"$work/raw.t")
  awk -v n="$name" -v t="$tipin" -v u="$unz" -v r="$raw" 'BEGIN {
    printf "%-16s %12.1f %12.1f %12.1f %10.2f %10.2f\n", n, t / 1000, u / 1000, r / 1000, t / u, t / r
  }'
done
rm -rf "$out"
