#!/usr/bin/env bash
# Regenerates core/resources/installer.ico, the installer's icon (resource 145):
# a rounded blue tile with an open book, at 16, 32, 48 and 256 pixels.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#1675FE' -draw 'roundrectangle 8,8 247,247 48,48' \
  -fill white -draw 'polygon 52,84 124,100 124,196 52,180' \
  -draw 'polygon 204,84 132,100 132,196 204,180' \
  -fill '#9CC3FF' -draw 'rectangle 124,100 132,196' \
  "$tmp/icon.png"
convert "$tmp/icon.png" -define icon:auto-resize=256,48,32,16 "$root/core/resources/installer.ico"
