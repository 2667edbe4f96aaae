#!/usr/bin/env bash
# Benchmark (not a test): the multi-part downloader against the single-stream
# downloader on a 100 MiB package from the loopback download server, with and
# without a per-connection rate limit (the server's own throttle). Prints
# key=value lines, the ratio multi-part / single-stream time on the limited
# server last.
#   bench/download/run-multipart.sh [--size BYTES] [--rate BYTES_PER_S] [--rounds N]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_ROOT:-$root/build}/x86_64"
"$root/tools/setup/all.sh" >/dev/null
"$root/tools/wine/with-session.sh" "$build/wineprefix" 2>/dev/null \
  "$root/tools/wine/run.sh" --prefix "$build/wineprefix" "$build/bench/download/multipart_bench.exe" "$@"
