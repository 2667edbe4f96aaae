#!/usr/bin/env bash
# Configures and builds both targets from the same sources:
#   build/i686    the 32-bit deliverable (not run here)
#   build/x86_64  the test build, with the tests (run under wine64)
# Warnings are errors. Assumes tools/setup/*.sh have run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_ROOT:-$root/build}"

# Configures every time (quick when nothing changed), so that a subsystem
# folder added since the last run joins the build.
configure() { # arch dir extra-args...
  local arch="$1" dir="$2"; shift 2
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
    -DTOVREL_WERROR=ON "$@" >/dev/null
}

echo "[build] i686 (deliverable)"
configure i686 "$build/i686"
cmake --build "$build/i686"

echo "[build] x86_64 (tests)"
configure x86_64 "$build/x86_64" -DTOVREL_BUILD_TESTS=ON \
  -DTOVREL_I686_EXE="$build/i686/core/TovrelRezuvOvozuzaveSetup.exe"
cmake --build "$build/x86_64"
