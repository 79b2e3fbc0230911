# Sourced by the scripts: start_xvfb starts a private Xvfb display of 1920x1080 with a task
# bar's worth of work area reserved at the bottom, and exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -noreset -nolisten tcp -screen 0 1920x1080x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    # A private display has no session bus. Without an address, libdbus would start one
    # through the display for Qt's accessibility bridge, which at times never answers.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/tipin-private-display-has-no-bus"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.05
    done
    if xdpyinfo >/dev/null 2>&1; then
      xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, 1920, 1040"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
  done
  echo "Xvfb could not be started" >&2
  return 1
}

stop_xvfb() {
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
