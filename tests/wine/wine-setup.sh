#!/usr/bin/env bash
# Starts the Wine test run: SLOTS places to run Wine tests side by side,
# each its own Xvfb and its own fresh prefix with one persistent wineserver
# (a test run in one slot never sees another's windows, clipboard, focus or
# C: drive). wine-run.sh takes a free slot for each test.
#   wine-setup.sh <state dir> <prefix folder> [slots, default 2]
set -euo pipefail
state=$1
prefixes=$2
slots=${3:-2}
here=$(dirname "$0")
source "$here/wine-env.sh"

# Leftovers of an interrupted run.
"$here/wine-cleanup.sh" "$state" || true
rm -rf "$prefixes" "$state"
mkdir -p "$state" "$prefixes"

# Xvfb picks a free display itself and writes its number (-displayfd): no
# race with another run on the machine. All descriptors go to a log: CTest
# waits for whatever holds its pipes.
start_display() {  # start_display SLOT_DIR
  local dir=$1
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display.number" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 200); do
    grep -q '^[0-9]' "$dir/display.number" 2>/dev/null && break
    sleep 0.1
  done
  grep -q '^[0-9]' "$dir/display.number" || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; return 1; }
  echo ":$(head -1 "$dir/display.number")" >"$dir/display"
}

boot_prefix() {  # boot_prefix SLOT_DIR PREFIX
  local dir=$1
  DISPLAY=$(cat "$dir/display") WINEPREFIX=$2 wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 || return 1
  WINEPREFIX=$2 wineserver -p </dev/null >>"$dir/wineboot.log" 2>&1 || true
}

pids=()
for ((slot = 0; slot < slots; slot++)); do
  dir=$state/slot-$slot
  mkdir -p "$dir"
  echo "$prefixes/$slot" >"$dir/prefix"
  start_display "$dir"
  # The slots' prefixes boot at the same time.
  boot_prefix "$dir" "$prefixes/$slot" &
  pids+=($!)
done
failed=0
for ((slot = 0; slot < slots; slot++)); do
  if ! wait "${pids[$slot]}"; then
    echo "wineboot failed in slot $slot"
    cat "$state/slot-$slot/wineboot.log"
    failed=1
  fi
done
[ "$failed" -eq 0 ] || exit 1
echo "$slots" >"$state/slots"
for ((slot = 0; slot < slots; slot++)); do
  echo "slot $slot: prefix $(cat "$state/slot-$slot/prefix"), display $(cat "$state/slot-$slot/display")"
done
