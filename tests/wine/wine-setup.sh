#!/usr/bin/env bash
# Starts the Wine test run: one Xvfb on a free display and a fresh prefix.
#   wine-setup.sh <state dir> <prefix>
set -euo pipefail
state=$1
export WINEPREFIX=$2
here=$(dirname "$0")
source "$here/wine-env.sh"

# Leftovers of an interrupted run.
"$here/wine-cleanup.sh" "$state" "$WINEPREFIX" || true
rm -rf "$WINEPREFIX" "$state"
mkdir -p "$state"

display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
# All descriptors go to a log: CTest waits for whatever holds its pipes.
setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
echo $! >"$state/xvfb.pid"
for _ in $(seq 200); do
  [ -S "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
[ -S "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }
echo ":$display" >"$state/display"
export DISPLAY=":$display"

# One persistent wineserver for the whole run; the X driver from the start.
wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || { cat "$state/wineboot.log"; exit 1; }
wineserver -p </dev/null >>"$state/wineboot.log" 2>&1 || true
echo "Wine prefix ready at $WINEPREFIX, display :$display"
