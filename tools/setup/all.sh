#!/usr/bin/env bash
# Everything a fresh machine needs before a run: Debian packages, the
# source-built libraries, and both builds.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-packages.sh"
"$here/install-deps.sh"
"$here/../build.sh"
