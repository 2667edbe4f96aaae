#!/usr/bin/env bash
# Runs one Windows program under wine64 in the project's prefix and returns its
# exit code. CTest uses this as the cross-compiling emulator:
#   run.sh --prefix DIR program.exe [args...]
set -euo pipefail
if [ "${1:-}" = "--prefix" ]; then WINE_PREFIX_DIR="$2"; shift 2; fi
: "${WINE_PREFIX_DIR:?run.sh needs --prefix DIR or WINE_PREFIX_DIR}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/prefix-init.sh" "$WINE_PREFIX_DIR"
source "$here/env.sh"
# A session started by session.sh records its display; windows need one.
if [ -z "${DISPLAY:-}" ] && [ -f "$WINEPREFIX/.tovrel-display" ]; then
  export DISPLAY="$(cat "$WINEPREFIX/.tovrel-display")"
fi
exec "$WINE64" "$@"
