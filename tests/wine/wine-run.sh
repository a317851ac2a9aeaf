#!/usr/bin/env bash
# Runs one Wine test in the run's prefix and display.
#   wine-run.sh <state dir> <test name> <program> [args...]
# A program ending in .exe is run with wine; anything else as it is.
set -euo pipefail
state=$1
name=$2
shift 2
source "$(dirname "$0")/wine-env.sh"
DISPLAY=$(cat "$state/display")
export DISPLAY
export QR_TEST_TMP="$state/tmp/$name"
rm -rf "$QR_TEST_TMP"
mkdir -p "$QR_TEST_TMP"
program=$1
shift
case "$program" in
  *.exe) exec wine "$program" "$@" ;;
  *) exec "$program" "$@" ;;
esac
