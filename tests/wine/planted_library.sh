#!/usr/bin/env bash
# The batch generator started beside a planted WININET.DLL and COMCTL32.DLL,
# with Wine preferring native libraries: neither is loaded (each would leave
# a ".ran" file beside itself), and the program starts and runs its notice
# step (offline) as usual. Needs the harness environment.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/notice_server_lib.sh"
d="$QR_TEST_TMP/planted"
rm -rf "$d" && mkdir -p "$d"
cp "$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe" "$d/"
for name in WININET.DLL COMCTL32.DLL; do
  cp "$QR_WINDOWS_DIR/tests/windows/planted_library.dll" "$d/$name"
done
exe="Z:${d//\//\\}\\QRBatchGenerator.exe"

failed=0
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};wininet,comctl32=n,b"
QRBATCH_NOTICE_SERVER="http://127.0.0.1:$(notice_closed_port)" \
  timeout 120 wine "$QR_WINDOWS_DIR/tests/windows/notice_app_driver.exe" offline "$exe" 6000 ||
  { echo "FAILED: the program did not start and close as usual"; failed=$((failed + 1)); }
for name in WININET.DLL COMCTL32.DLL; do
  if [ -e "$d/$name.ran" ]; then
    echo "FAILED: the planted $name was loaded"; failed=$((failed + 1))
  else
    echo "ok: the planted $name was not loaded"
  fi
done
[ "$failed" -eq 0 ]
