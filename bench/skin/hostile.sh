#!/usr/bin/env bash
# Every hostile skin package through `tipin-skin check` and as the start-up package of the
# real tipin under Xvfb: seconds, peak memory, bytes written and what became of it.
# Usage: bench/skin/hostile.sh [BUILD] [DISPLAY_NUMBER]   (a Release build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/release}"
display="${2:-}"
packages="$root/build/hostile-packages"
python3 "$root/bench/skin/make_hostile.py" "$packages"
work="$(mktemp -d -p "$root/build")"
if [[ -n "$display" ]]; then
  Xvfb ":$display" -noreset -nolisten tcp -screen 0 1920x1080x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  sleep 1
else
  source "$root/scripts/xvfb.sh"
  start_xvfb
fi
trap '[[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid"; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"

# Seconds, peak kB and kB written (file system output blocks of 512 bytes) from time -v.
measure() {
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = t[n] + (n > 1 ? t[n-1] * 60 : 0) }
              /Maximum resident set size/ { m = $2 }
              /File system outputs/ { o = $2 }
              END { printf "%.2f s | %d MiB | %d KiB", s, m / 1024, o / 2 }' "$1"
}

# tipin until its first window (the message box or the main window) is shown.
run_tipin() {
  local package="$1" run="$work/run" pid
  rm -rf "$run" && mkdir -p "$run/tmp"
  cp "$package" "$run/Purple.skn"
  (cd "$run" && TMPDIR="$run/tmp" exec /usr/bin/time -v -o "$work/tipin.time" \
      "$build/bin/tipin" >/dev/null 2>&1) &
  pid=$!
  local deadline=$((SECONDS + 30))
  until xdotool search --onlyvisible --name '.' 2>/dev/null | grep -q . || ((SECONDS > deadline)); do
    sleep 0.01
  done
  local shown
  shown=$(xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | head -1)
  pkill -TERM -P "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$(measure "$work/tipin.time") | ${shown:-none} | $(find "$run/tmp" -mindepth 1 | wc -l)"
}

echo "| package | size | check: time, peak, written | check exit, findings | tipin: time to first window, peak, written | first window | left in TMPDIR |"
echo "|---|---|---|---|---|---|---|"
for package in "$packages"/*.zip; do
  name=$(basename "$package" .zip)
  mkdir -p "$work/tmp"
  set +e
  TMPDIR="$work/tmp" /usr/bin/time -v -o "$work/check.time" "$build/bin/tipin-skin" check \
    "$package" 2>"$work/check.err"
  code=$?
  set -e
  limit=$(grep -m1 ': package: ' "$work/check.err" | sed 's/.*: package: //' || true)
  findings=$(wc -l <"$work/check.err")
  echo "| $name | $(($(stat -c %s "$package") / 1024)) KiB | $(measure "$work/check.time") |" \
       "$code, $findings lines${limit:+: $limit} | $(run_tipin "$package") |"
done
