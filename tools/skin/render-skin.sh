#!/usr/bin/env bash
# Renders every screen of the installer's skin (the four pages of the main
# window and the five dialogs) from the archive embedded in the built
# installer to PNG files, and prints their paths:
#   tools/skin/render-skin.sh [output folder]   (default build/x86_64/ui/skin-renders)
# Expects a finished build (./test.sh or tools/build.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_ROOT:-$root/build}"
prefix="$build/x86_64/wineprefix"
out="${1:-$build/x86_64/ui/skin-renders}"
mkdir -p "$out"
"$root/tools/wine/with-session.sh" "$prefix" \
  "$root/tools/wine/run.sh" --prefix "$prefix" "$build/x86_64/tests/ui/skin_render.exe" \
  "Z:$(realpath "$build/x86_64/core/TovrelRezuvOvozuzaveSetup.exe" | tr / '\\')" \
  "Z:$(realpath "$out" | tr / '\\')"
