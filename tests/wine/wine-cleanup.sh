#!/usr/bin/env bash
# Ends the Wine test run: stops every Wine process of each slot's prefix and
# each slot's Xvfb.
#   wine-cleanup.sh <state dir>
state=$1
source "$(dirname "$0")/wine-env.sh"
for dir in "$state"/slot-*; do
  [ -d "$dir" ] || continue
  prefix=$(cat "$dir/prefix" 2>/dev/null)
  [ -n "$prefix" ] && [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
  if [ -f "$dir/xvfb.pid" ]; then
    pid=$(cat "$dir/xvfb.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    rm -f "$dir/xvfb.pid"
  fi
done
exit 0
