#!/usr/bin/env bash
# Builds the .deb, installs it, starts the window offscreen, runs a tool, and removes it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/vortel-zaduvuv_*.deb | head -n 1)
echo "package: $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
work=$(mktemp -d)
chmod 777 "$work"
trap 'rm -rf "$work"' EXIT
# The window, as an ordinary user: it must still be running when the timeout ends it.
status=0
timeout 5 runuser -u nobody -- env HOME="$work" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
  /usr/bin/vortel >"$work/window.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  cat "$work/window.log"
  echo "package check: the window ended early with status $status"
  exit 1
fi
head -c 3000000 /dev/urandom >"$work/a.iso"
tools=/usr/lib/vortel-zaduvuv/kvt
"$tools/ciso" --quiet 9 "$work/a.iso" "$work/a.cso"
"$tools/ciso" --quiet 0 "$work/a.cso" "$work/b.iso"
cmp "$work/a.iso" "$work/b.iso"
"$tools/daxcr" --quiet -a8192 "$work/a.iso" "$work/a.dax"
"$tools/daxcr" --quiet -d "$work/a.dax" "$work/c.iso"
cmp "$work/a.iso" "$work/c.iso"
test -f /usr/share/applications/vortel-zaduvuv.desktop
test -f /usr/share/icons/hicolor/64x64/apps/vortel-zaduvuv.png
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vortel-zaduvuv >/dev/null
if [ -e /usr/lib/vortel-zaduvuv ] || [ -e /usr/bin/vortel ]; then
  echo "package check: files left after removal"
  exit 1
fi
echo "package check: installed, started, converted and removed"
