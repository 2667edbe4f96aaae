#!/usr/bin/env bash
# Builds the libraries Debian ships only as source (libcurl, jsoncpp, the LZMA
# SDK's 7z decoder, pugixml) as static mingw-w64 libraries for both targets.
#
# Everything lands in a cache outside the checkout, keyed by the Debian source
# version and the target, so a fresh clone on the same machine reuses it:
#   $DEPS_CACHE/src/<package>_<version>/          unpacked Debian source
#   $DEPS_CACHE/<triple>/<package>-<version>-r<recipe>/   install prefix (+ .stamp)
#   $DEPS_CACHE/<triple>/<package>-r<recipe> -> that folder   what CMake reads
# Recipe revisions live in recipes.txt, which cmake/Dependencies.cmake reads too.
# A second run finds every stamp and does nothing.
set -euo pipefail

DEPS_CACHE="${DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tovrel-installer/deps}"
TRIPLES=(i686-w64-mingw32 x86_64-w64-mingw32)
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

log() { printf '[deps] %s\n' "$*"; }
die() { printf '[deps] error: %s\n' "$*" >&2; exit 1; }

# Newest version of a Debian source package that apt knows about.
source_version() {
  local v
  v="$(apt-cache showsrc --only-source "$1" 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tail -1)"
  [ -n "$v" ] || die "Debian source package '$1' is unknown to apt (are deb-src entries enabled? run tools/setup/install-packages.sh)"
  printf '%s' "$v"
}

# Unpacks the Debian source of $1 at version $2 once; prints the folder.
fetch_source() {
  local pkg="$1" ver="$2" dir="$DEPS_CACHE/src/${1}_${2}"
  if [ ! -f "$dir/.unpacked" ]; then
    log "fetching Debian source $pkg=$ver" >&2
    rm -rf "$dir" && mkdir -p "$dir/dl"
    ( cd "$dir/dl" && apt-get source -q --download-only "$pkg=$ver" >"$dir/fetch.log" 2>&1 ) \
      || { tail -20 "$dir/fetch.log" >&2; die "apt-get source $pkg=$ver failed"; }
    local dsc
    dsc="$(ls "$dir"/dl/*.dsc | head -1)" || die "no .dsc for $pkg"
    ( cd "$dir" && dpkg-source --no-check -x "$dsc" tree >>"$dir/fetch.log" 2>&1 ) \
      || { tail -20 "$dir/fetch.log" >&2; die "dpkg-source could not unpack $dsc"; }
    touch "$dir/.unpacked"
  fi
  printf '%s' "$dir/tree"
}

toolchain_file() {
  case "$1" in
    i686-w64-mingw32) echo "$ROOT/cmake/toolchain-i686-mingw.cmake" ;;
    x86_64-w64-mingw32) echo "$ROOT/cmake/toolchain-x86_64-mingw.cmake" ;;
  esac
}

cmake_build() { # triple src prefix [cmake args...]
  local triple="$1" src="$2" prefix="$3"; shift 3
  local bld="$prefix.build"
  rm -rf "$bld"
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$triple")" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$bld.log" 2>&1 \
    || { tail -40 "$bld.log" >&2; die "configure failed (log: $bld.log)"; }
  cmake --build "$bld" -j "$JOBS" >>"$bld.log" 2>&1 \
    || { tail -40 "$bld.log" >&2; die "build failed (log: $bld.log)"; }
  cmake --install "$bld" >>"$bld.log" 2>&1 || die "install failed (log: $bld.log)"
  rm -rf "$bld"
}

# HTTP(S) for the package and the uploads, FILE for "file:///" package URLs;
# curl.exe is the reference the download benchmark compares against.
build_curl() {
  cmake_build "$1" "$2" "$3" -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF \
    -DCURL_ZLIB=ON -DCURL_USE_LIBSSH2=OFF -DUSE_LIBIDN2=OFF -DCURL_USE_LIBPSL=OFF \
    -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF -DCURL_STATIC_CRT=OFF \
    -DBUILD_CURL_EXE=ON -DCMAKE_EXE_LINKER_FLAGS=-static \
    -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DCURL_DISABLE_FTP=ON \
    -DCURL_DISABLE_TELNET=ON -DCURL_DISABLE_DICT=ON -DCURL_DISABLE_TFTP=ON \
    -DCURL_DISABLE_GOPHER=ON -DCURL_DISABLE_POP3=ON -DCURL_DISABLE_IMAP=ON \
    -DCURL_DISABLE_SMTP=ON -DCURL_DISABLE_RTSP=ON -DCURL_DISABLE_MQTT=ON \
    -DCURL_DISABLE_SMB=ON
}

build_jsoncpp() {
  cmake_build "$1" "$2" "$3" -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF \
    -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
    -DJSONCPP_WITH_EXAMPLE=OFF -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF \
    -DJSONCPP_WITH_CMAKE_PACKAGE=OFF
}

build_pugixml() {
  cmake_build "$1" "$2" "$3" -DPUGIXML_BUILD_TESTS=OFF
}

# The LZMA SDK has no build of its own for a static decoder library: compile
# just the 7z reading sources from the C/ folder.
build_lzma() {
  local triple="$1" src="$2/C" prefix="$3" obj
  local files=(7zAlloc 7zArcIn 7zBuf 7zCrc 7zCrcOpt 7zDec 7zStream Bcj2 Bra Bra86
               BraIA64 CpuArch Delta Lzma2Dec LzmaDec)
  mkdir -p "$prefix/lib" "$prefix/include/lzma" "$prefix/obj"
  for f in "${files[@]}"; do
    [ -f "$src/$f.c" ] || die "LZMA SDK source $src/$f.c missing"
    obj="$prefix/obj/$f.o"
    "$triple-gcc-posix" -O2 -Wno-attributes -c "$src/$f.c" -o "$obj" \
      || die "compiling $f.c for $triple failed"
  done
  rm -f "$prefix/lib/liblzmasdk.a"
  "$triple-ar" rcs "$prefix/lib/liblzmasdk.a" "$prefix"/obj/*.o
  cp "$src"/*.h "$prefix/include/lzma/"
  rm -rf "$prefix/obj"
}

command -v apt-get >/dev/null || die "apt-get not found: this script expects Debian"
mkdir -p "$DEPS_CACHE/src"
built=0
while read -r name srcpkg recipe; do
  case "$name" in ''|'#'*) continue ;; esac
  builder="build_$name"
  ver="$(source_version "$srcpkg")"
  for triple in "${TRIPLES[@]}"; do
    command -v "$triple-gcc-posix" >/dev/null || die "$triple-gcc-posix missing (run tools/setup/install-packages.sh)"
    prefix="$DEPS_CACHE/$triple/$name-$ver-r$recipe"
    if [ ! -f "$prefix/.stamp" ]; then
      src="$(fetch_source "$srcpkg" "$ver")"
      log "building $name $ver for $triple"
      start=$SECONDS
      rm -rf "$prefix"; mkdir -p "$prefix"
      "$builder" "$triple" "$src" "$prefix"
      touch "$prefix/.stamp"
      log "built $name for $triple in $((SECONDS - start)) s"
      built=$((built + 1))
    fi
    ln -sfn "$name-$ver-r$recipe" "$DEPS_CACHE/$triple/$name-r$recipe"
  done
done < "$HERE/recipes.txt"
if [ $built -eq 0 ]; then
  log "all libraries already built in $DEPS_CACHE, nothing to do"
else
  log "built $built libraries into $DEPS_CACHE"
fi
