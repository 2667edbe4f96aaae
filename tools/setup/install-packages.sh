#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and
# enables Debian's source entries so that install-deps.sh can fetch sources.
# Idempotent: when everything is present it says so and does nothing.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  libz-mingw-w64-dev wine wine64 xvfb xauth xdotool imagemagick
  fonts-wqy-microhei 7zip ninja-build cmake googletest dpkg-dev python3
  openssl file bc curl binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 python3-pil
)

log() { printf '[setup] %s\n' "$*"; }
die() { printf '[setup] error: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else die "need root to run: $*"; fi
}

enable_source_entries() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -q 'debian' "$f" || continue
    if grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$f"; then
      log "enabling source entries in $f"
      as_root sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb [^#]*debian' /etc/apt/sources.list \
     && ! grep -qE '^deb-src ' /etc/apt/sources.list; then
    log "enabling source entries in /etc/apt/sources.list"
    as_root sed -i -E 's/^deb (.*debian.*)$/deb \1\ndeb-src \1/' /etc/apt/sources.list
    changed=1
  fi
  return $((1 - changed))
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_update=0
if enable_source_entries; then need_update=1; fi
# apt-get source needs the source index even when every binary package is present.
if ! ls /var/lib/apt/lists/*Sources* >/dev/null 2>&1; then need_update=1; fi
[ ${#missing[@]} -gt 0 ] && need_update=1

if [ $need_update -eq 1 ]; then
  log "apt-get update"
  as_root apt-get update -q || die "apt-get update failed"
fi

if [ ${#missing[@]} -eq 0 ]; then
  log "Debian packages: all present, nothing to do"
else
  log "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
    || die "apt-get install failed for: ${missing[*]}"
fi
