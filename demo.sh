#!/usr/bin/env bash
# Sets up everything on a fresh machine, builds the installer and runs it
# under wine64 (on Xvfb when there is no display), then reports its exit code.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD_ROOT:-$root/build}"

"$root/tools/setup/all.sh"
exe="$build/x86_64/core/TovrelRezuvOvozuzaveSetup.exe"
echo "[demo] running $exe"
set +e
WINEDEBUG="${WINEDEBUG:--all,warn+seh,warn+debugstr}" "$root/tools/wine/with-session.sh" "$build/x86_64/wineprefix" \
  "$root/tools/wine/run.sh" --prefix "$build/x86_64/wineprefix" "$exe" "$@"
code=$?
set -e
echo "[demo] installer exited with code $code"
exit $code
