#!/usr/bin/env bash
# The batch generator's window under Wine: the combo boxes are 140 x 20, and
# the clock and link labels of the bottom panel, repainted twice a second
# with a new time and a new link colour, never show up blank or half drawn
# in screenshots taken back to back for six seconds.
#   app_window_paint.sh <label capture program>
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
capture=$1
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/window_paint_driver.exe

# The online notice finds nothing: its server is a closed loopback port.
QRBATCH_NOTICE_SERVER=http://127.0.0.1:$(/usr/bin/python3 -c \
  'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export QRBATCH_NOTICE_SERVER

winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

program=$tmp/程序
work=$tmp/work
mkdir -p "$program" "$work"
cp "$exe" "$program/"

timeout 90 wine "$driver" "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$work")" &
driver_pid=$!
cleanup() { kill "$driver_pid" 2>/dev/null || true; }
trap cleanup EXIT

status=0
for _ in $(seq 300); do
  [ -e "$work/labels.txt" ] || ! kill -0 "$driver_pid" 2>/dev/null && break
  sleep 0.1
done
if [ -e "$work/labels.txt" ]; then
  "$capture" 6 "$work/labels.txt" || status=1
else
  echo "the driver gave no label rectangles"
  status=1
fi
touch "$work/captured"
wait "$driver_pid" || status=1
exit $status
