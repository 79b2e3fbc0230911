#!/usr/bin/env bash
# Tipin on a real accessibility bus, as a screen reader meets it: a private session bus
# (dbus-run-session) with the AT-SPI bus, on the Xvfb display of scripts/test. The tree is
# walked with pyatspi (accessibility-bus.py, run by the system python that holds the package):
# Tab reaches every push button of the window, and Space on the start-up skin's
# "BUTTON_BROWSE" opens the file chooser.
# usage: accessibility-bus.sh TIPIN_EXE RUN_DIR
set -euo pipefail
tipin="$1" rundir="$2"
here="$(cd "$(dirname "$0")" && pwd)"
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: no DISPLAY: run this test through scripts/test"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
cp "$rundir"/*.skn "$rundir"/*.zip "$work/run/"
"$rundir/tipin-skin" extract "$work/run/Purple.skn" "$work/skin" >/dev/null
browse=$(grep -E '^[0-9]+=BUTTON_BROWSE,' "$work/skin/Skin.ini" | cut -d, -f7 | tr -d '\r')
[[ -n "$browse" ]] || { echo "FAIL: Purple.skn has no BUTTON_BROWSE tooltip"; exit 1; }

export TIPIN_EXE="$tipin" BROWSE_NAME="$browse" HERE="$here" WORK="$work"
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    cd "$WORK/run"
    TMPDIR="$WORK/tmp" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TIPIN_EXE" &
    tipin=$!
    status=0
    /usr/bin/python3 "$HERE/accessibility-bus.py" "$tipin" "$BROWSE_NAME" || status=$?
    kill "$tipin" "$launcher" 2>/dev/null || true
    wait "$tipin" 2>/dev/null || true
    exit $status'
