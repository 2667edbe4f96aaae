#!/usr/bin/env bash
# Starts or stops what a test or demo run shares: a persistent wine server
# (a program then starts in ~60 ms instead of ~3 s) and, when there is no
# display, an Xvfb server for the programs that open windows.
#   session.sh start PREFIX_DIR   |   session.sh stop PREFIX_DIR
set -euo pipefail
cmd="${1:?usage: session.sh start|stop PREFIX_DIR}"
WINE_PREFIX_DIR="${2:?usage: session.sh start|stop PREFIX_DIR}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"

start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      echo "$pid" >"$WINEPREFIX/.tovrel-xvfb-pid"
      echo ":$n" >"$WINEPREFIX/.tovrel-display"
      # Wine's desktop process starts with the session's first program below
      # and keeps the display it was given: without one, no window can open.
      export DISPLAY=":$n"
      echo "[wine] Xvfb on :$n" >&2
      return 0
    fi
  done
  echo "[wine] could not start Xvfb" >&2
  return 1
}

case "$cmd" in
  start)
    "$here/prefix-init.sh" "$WINE_PREFIX_DIR"
    # A session of this prefix that still runs is reused, so starting twice
    # never leaves an Xvfb without its stop.
    xvfb_pid="$(cat "$WINEPREFIX/.tovrel-xvfb-pid" 2>/dev/null || true)"
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null && [ -f "$WINEPREFIX/.tovrel-display" ]; then
      export DISPLAY="$(cat "$WINEPREFIX/.tovrel-display")"
    elif [ -n "${DISPLAY:-}" ]; then
      rm -f "$WINEPREFIX/.tovrel-xvfb-pid"
      echo "$DISPLAY" >"$WINEPREFIX/.tovrel-display"
    else
      start_xvfb
    fi
    # Fails harmlessly when a server for this prefix already runs.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    # The first program of a session also starts Wine's background services
    # (services.exe, explorer.exe, ...), which inherit its standard streams and
    # live as long as the server. Start them here, detached from the caller's
    # pipes, or CTest would wait for those pipes to close until it times out.
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    "$WINESERVER" -k 2>/dev/null || true
    if [ -f "$WINEPREFIX/.tovrel-xvfb-pid" ]; then
      kill "$(cat "$WINEPREFIX/.tovrel-xvfb-pid")" 2>/dev/null || true
      rm -f "$WINEPREFIX/.tovrel-xvfb-pid"
    fi
    rm -f "$WINEPREFIX/.tovrel-display"
    ;;
  *) echo "usage: session.sh start|stop PREFIX_DIR" >&2; exit 2 ;;
esac
