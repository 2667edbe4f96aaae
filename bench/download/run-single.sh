#!/usr/bin/env bash
# Single-stream download throughput: CCurlDownloader against curl.exe built
# from the same libcurl sources, both under Wine, from the same loopback
# server, in one run. Also the downloader's peak memory for a 50 MiB and a
# 200 MiB package (it must not grow with the package).
# Prints key=value lines, the ratio (ours / curl.exe throughput) last.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_ROOT:-$root/build}"
"$root/tools/setup/all.sh" >/dev/null

prefix="$build/x86_64/wineprefix"
"$root/tools/wine/session.sh" start "$prefix" 2>/dev/null
work="$(mktemp -d /tmp/tovrel-bench.XXXXXX)"
cleanup() {
  curl -s "http://127.0.0.1:$(cat "$work/port" 2>/dev/null)/__control/shutdown" >/dev/null 2>&1 || true
  "$root/tools/wine/session.sh" stop "$prefix"
  rm -rf "$work"
}
trap cleanup EXIT

/usr/bin/python3 "$root/tests/servers/download_server.py" --port-file "$work/port" --idle-timeout 600 &
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
port="$(cat "$work/port")"
url="http://127.0.0.1:$port/software/340"
configure() { curl -s -X POST -d "{\"size\": $1}" "http://127.0.0.1:$port/__control/configure" >/dev/null; }
run() { "$root/tools/wine/run.sh" --prefix "$prefix" "$@"; }
wine_dest="Z:${work//\//\\}\\package.exe"
curl_exe="$(ls -d "${DEPS_CACHE:-$HOME/.cache/tovrel-installer/deps}"/x86_64-w64-mingw32/curl-r*/bin/curl.exe | tail -1)"
mib=$((1024 * 1024))

configure $((50 * mib))
run "$build/x86_64/bench/download/download_bench.exe" "$url" "$wine_dest" >"$work/ours50"
peak50="$(grep '^peak_private_mib=' "$work/ours50" | cut -d= -f2)"

configure $((200 * mib))
run "$curl_exe" -s -o NUL "$url" -L  # warm the server's cache of the content
start=$(date +%s.%N)
run "$curl_exe" -s -L -o "$wine_dest.curl" "$url"
curl_seconds=$(echo "$(date +%s.%N) - $start" | bc)
rm -f "$work/package.exe.curl"
# Both are timed the same way, from outside, Wine's process start included.
start=$(date +%s.%N)
run "$build/x86_64/bench/download/download_bench.exe" "$url" "$wine_dest" >"$work/ours200"
ours_seconds=$(echo "$(date +%s.%N) - $start" | bc)
peak200="$(grep '^peak_private_mib=' "$work/ours200" | cut -d= -f2)"
grep -q '^outcome=1003' "$work/ours200" || { echo "download failed:"; cat "$work/ours200"; exit 1; }

echo "package_mib=200"
echo "curl_exe_seconds=$curl_seconds"
echo "curl_exe_mib_per_s=$(echo "scale=1; 200 / $curl_seconds" | bc)"
echo "ours_seconds=$ours_seconds"
echo "ours_mib_per_s=$(echo "scale=1; 200 / $ours_seconds" | bc)"
echo "ours_peak_private_mib_50=$peak50"
echo "ours_peak_private_mib_200=$peak200"
echo "ratio=$(echo "scale=3; $curl_seconds / $ours_seconds" | bc)"
