#!/usr/bin/env bash
# Ends the Wine test run: stops every Wine process of the prefix and Xvfb.
#   wine-cleanup.sh <state dir> <prefix>
state=$1
export WINEPREFIX=$2
source "$(dirname "$0")/wine-env.sh"
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
if [ -f "$state/xvfb.pid" ]; then
  pid=$(cat "$state/xvfb.pid")
  kill "$pid" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
  rm -f "$state/xvfb.pid"
fi
exit 0
