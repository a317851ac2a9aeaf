#!/usr/bin/env bash
# The batch generator under Wine, driven through its main window by
# app_driver.exe: first run (layout, deployment, batch, single symbol, save,
# Esc), the symbols read back by a real decoder, a restart closed with the
# Esc key, and a missing engine library.
#   app_window_test.sh <image checker> <screenshot file>
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
checker=$1
screenshot=$2
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/app_driver.exe
engine=$QR_WINDOWS_DIR/engine/QRCodeWin32.dll

# The online notice finds nothing: its server is a closed loopback port.
QRBATCH_NOTICE_SERVER=http://127.0.0.1:$(/usr/bin/python3 -c \
  'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export QRBATCH_NOTICE_SERVER

winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# Chinese folder names: paths travel through the ANSI functions as GBK.
program=$tmp/程序
destination=$tmp/输出
work=$tmp/work
mkdir -p "$program" "$destination" "$work"
cp "$exe" "$program/"

driver_pid=
cleanup() { [ -z "$driver_pid" ] || kill "$driver_pid" 2>/dev/null || true; }
trap cleanup EXIT

# Runs the driver and answers its pause points: "screenshot" and "escape".
run_driver() {
  timeout 240 wine "$driver" "$@" &
  driver_pid=$!
  while kill -0 "$driver_pid" 2>/dev/null; do
    if [ -e "$work/screenshot.ready" ] && [ ! -e "$work/screenshot.done" ]; then
      import -window root "$screenshot" || echo "screenshot failed"
      touch "$work/screenshot.done"
    fi
    if [ -e "$work/escape.ready" ] && [ ! -e "$work/escape.done" ]; then
      window=$(timeout 20 xdotool search --sync --onlyvisible --class QRBatchGenerator | head -1)
      xdotool windowfocus --sync "$window" key Escape
      touch "$work/escape.done"
    fi
    sleep 0.1
  done
  local status=0
  wait "$driver_pid" || status=$?
  driver_pid=
  return $status
}

status=0
run_driver first-run "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$destination")" \
  "$(winpath "$engine")" "$(winpath "$work")" || status=1
"$checker" "$work/manifest.txt" "$destination" "$program" "$work" || status=1
run_driver restart "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$destination")" \
  "$(winpath "$work")" || status=1

# A folder where the engine library belongs: nothing is deployed, and the
# first generation fails fatally.
broken=$tmp/无引擎
mkdir -p "$broken/QRCodeWin32.dll"
cp "$exe" "$broken/"
run_driver missing-engine "$(winpath "$broken/QRBatchGenerator.exe")" || status=1
exit $status
