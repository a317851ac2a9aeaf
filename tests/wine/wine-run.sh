#!/usr/bin/env bash
# Runs one Wine test in a free slot of the run (its prefix and display; see
# wine-setup.sh), holding the slot until the test ends.
#   wine-run.sh <state dir> <test name> <program> [args...]
# A program ending in .exe is run with wine; anything else as it is. The
# test's scratch folder QR_TEST_TMP is made under $TMPDIR when that is set
# (removed when the test passes or skips, kept for a look when it fails),
# else in the state dir (kept until the next run). Not under /dev (the test
# command's tmpfs, /dev/shm): Wine's file dialogs refuse paths there
# ("path does not exist"), so that TMPDIR is passed over too.
set -euo pipefail
state=$1
name=$2
shift 2
source "$(dirname "$0")/wine-env.sh"

# A free slot; when every slot is busy (more CTest jobs than slots), wait
# for one. The lock is this script's alone: the test's processes do not
# inherit it (a Wine process outliving its test must not hold the slot).
slots=$(cat "$state/slots")
slot=""
for ((i = 0; i < slots; i++)); do
  exec {lock}>"$state/slot-$i/lock"
  if flock -n "$lock"; then slot=$i; break; fi
  exec {lock}>&-
done
if [ -z "$slot" ]; then
  slot=$((${#name} % slots))
  exec {lock}>"$state/slot-$slot/lock"
  flock "$lock"
fi
WINEPREFIX=$(cat "$state/slot-$slot/prefix")
DISPLAY=$(cat "$state/slot-$slot/display")
export WINEPREFIX DISPLAY

scratch_root=${TMPDIR:-}
case "$scratch_root" in /dev/*) scratch_root="" ;; esac
if [ -n "$scratch_root" ]; then
  QR_TEST_TMP=$(mktemp -d "$scratch_root/wine-$name.XXXXXX")
else
  QR_TEST_TMP="$state/tmp/$name"
  rm -rf "$QR_TEST_TMP"
  mkdir -p "$QR_TEST_TMP"
fi
export QR_TEST_TMP
program=$1
shift
status=0
case "$program" in
  *.exe) wine "$program" "$@" {lock}>&- || status=$? ;;
  *) "$program" "$@" {lock}>&- || status=$? ;;
esac
if [ -n "$scratch_root" ]; then
  if [ "$status" -eq 0 ] || [ "$status" -eq 77 ]; then rm -rf "$QR_TEST_TMP"; else echo "scratch kept: $QR_TEST_TMP"; fi
fi
exit "$status"
