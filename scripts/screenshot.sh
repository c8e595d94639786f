#!/usr/bin/env bash
# Starts the window from the build tree under a virtual display and saves a PNG of it.
# Usage: scripts/screenshot.sh [output.png] [build-dir]
set -euo pipefail
out=${1:-screenshots/vortel.png}
build=${2:-build}
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 640x560x24" bash -c '
  "$1" & pid=$!
  sleep 3
  import -window root "$2"
  kill $pid
' _ "$build/bin/vortel" "$out"
echo "$out"
