#!/usr/bin/env bash
# Creates the project's wine prefix once: wineboot plus the font substitutes
# that map the layouts' "微软雅黑" to WenQuanYi Micro Hei. A stamp file marks
# a finished prefix; concurrent callers serialise on a lock file.
set -euo pipefail
WINE_PREFIX_DIR="${1:?usage: prefix-init.sh PREFIX_DIR}"
source "$(dirname "$0")/env.sh"

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.tovrel-ready" ] && exit 0

echo "[wine] creating prefix $WINEPREFIX" >&2
rm -rf "$WINEPREFIX"
"$WINE64" wineboot -i >/dev/null 2>&1 || { echo "[wine] wineboot failed" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "微软雅黑" "Microsoft YaHei"; do
  "$WINE64" reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 \
    || { echo "[wine] could not add font substitute for $face" >&2; exit 1; }
done
"$WINESERVER" -w
touch "$WINEPREFIX/.tovrel-ready"
