#!/usr/bin/env bash
# Sets up everything on a fresh machine (Debian packages, the source-built
# libraries), builds both targets and runs every test under wine64.
# Arguments go to ctest, e.g. ./test.sh -R platform_dependencies_tests
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD_ROOT:-$root/build}"

"$root/tools/setup/all.sh"
"$root/tools/wine/with-session.sh" "$build/x86_64/wineprefix" \
  ctest --test-dir "$build/x86_64" --output-on-failure -j "$(nproc)" "$@"
