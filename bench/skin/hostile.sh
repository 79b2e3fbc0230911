#!/usr/bin/env bash
# Every hostile skin package through `tipin-skin check` and as the start-up package of the
# real tipin under Xvfb: seconds, peak memory, bytes written and what became of it.
# Usage: bench/skin/hostile.sh [BUILD] [DISPLAY_NUMBER]   (a Release build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(realpath "${1:-$root/build/release}")"
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

# tipin until its main window is shown alone, every message box on the way answered with
# Enter; the messages' titles and texts are not read, only counted, each box once however
# many presses it takes. The main window must stay alone for a settling second, so a box
# that comes after it is counted too; the time is taken when it was first shown alone.
run_tipin() {
  local package="$1" run="$work/run" pid
  rm -rf "$run" && mkdir -p "$run/tmp"
  cp "$package" "$run/Purple.skn"
  local start
  start=$(date +%s%N)
  (cd "$run" && TMPDIR="$run/tmp" exec /usr/bin/time -v -o "$work/tipin.time" \
      "$build/bin/tipin" >/dev/null 2>&1) &
  pid=$!
  local deadline=$((SECONDS + 20)) shown=no alone_since=0 now
  local -A boxes=()
  while ((SECONDS <= deadline)); do
    local main=0 others=()
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 983x785'; then
        main=1
      else
        others+=("$w")
      fi
    done
    now=$(date +%s%N)
    if ((main && ${#others[@]} == 0)); then
      ((alone_since)) || alone_since=$now
      if ((now - alone_since >= 1000000000)); then
        shown="main window"
        break
      fi
    else
      alone_since=0
    fi
    for w in "${others[@]}"; do
      boxes[$w]=1
      xdotool key --window "$w" Return 2>/dev/null || true
      # A box that closes on the press leaves xdotool without its window for the release; the
      # server would then repeat the held key into the next run's first box.
      xdotool keyup Return 2>/dev/null || true
    done
    sleep 0.05
  done
  local child
  child=$(pgrep -P "$pid" || true)
  [[ -n "$child" ]] && kill -TERM "$child" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  local shown_after="-"
  ((alone_since)) && shown_after=$(awk -v ns=$((alone_since - start)) 'BEGIN { printf "%.2f s", ns / 1e9 }')
  echo "$shown_after | $(measure "$work/tipin.time") | $shown after ${#boxes[@]} message boxes |" \
       "$(find "$run/tmp" -mindepth 1 | wc -l)"
}

echo "| package | size | check: time | peak | written | check exit, findings | tipin: main window alone after | process time | peak | written | shown | left in TMPDIR |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
cp "$build/bin/Purple.skn" "$work/bundled-Purple.zip"
for package in "$work/bundled-Purple.zip" "$packages"/*.zip; do
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
