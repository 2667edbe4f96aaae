#!/usr/bin/env bash
# Runs a command inside a Wine session of the given prefix (persistent wine
# server, Xvfb when there is no display; see session.sh) and stops the session
# afterwards, whatever the command's outcome. Returns the command's exit code.
#   with-session.sh PREFIX_DIR command [args...]
set -euo pipefail
prefix="${1:?usage: with-session.sh PREFIX_DIR command [args...]}"; shift
here="$(cd "$(dirname "$0")" && pwd)"
"$here/session.sh" start "$prefix"
trap '"$here/session.sh" stop "$prefix"' EXIT
DISPLAY="$(cat "$prefix/.tovrel-display")"
export DISPLAY
"$@"
