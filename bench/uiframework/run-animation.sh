#!/usr/bin/env bash
# Animation cost: a control's background switched between 60 cached images 33
# times a second for 10 seconds (or the seconds given), side by side with a
# bare Win32 reference, under Wine. Prints key=value lines, the ratio last.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_ROOT:-$root/build}"
"$root/tools/setup/all.sh" >/dev/null
prefix="$build/x86_64/wineprefix"
"$root/tools/wine/with-session.sh" "$prefix" 2>/dev/null \
  "$root/tools/wine/run.sh" --prefix "$prefix" "$build/x86_64/bench/uiframework/uiframework_animation_bench.exe" "$@"
