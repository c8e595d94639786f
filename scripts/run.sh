#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window; an optional file argument is passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "vortel: no display to open the window on (DISPLAY is not set); scripts/screenshot.sh shows it under Xvfb" >&2
  exit 1
fi
exec build/bin/vortel "$@"
