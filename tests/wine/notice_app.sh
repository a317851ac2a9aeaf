#!/usr/bin/env bash
# The batch generator's online notice end to end under Wine: a loopback
# stand-in for the publisher's server, the program, and notice_app_driver.exe
# answering its message boxes and reading its window.
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/notice_server_lib.sh"
trap notice_server_stop EXIT
driver="$QR_WINDOWS_DIR/tests/windows/notice_app_driver.exe"
d="$QR_TEST_TMP"
# A copy of its own: the program deploys the engine library next to itself.
mkdir -p "$d/program"
cp "$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe" "$d/program/"
exe="Z:${d//\//\\}\\program\\QRBatchGenerator.exe"

failed=0
passed=0
run() {  # run NAME DRIVER-ARGS...: one scenario against $NOTICE_SERVER
  local name=$1; shift
  echo "== $name"
  if QRBATCH_NOTICE_SERVER="$NOTICE_SERVER" timeout 120 wine "$driver" "$@"; then
    echo "passed: $name"; passed=$((passed + 1))
  else
    echo "FAILED: $name"; failed=$((failed + 1))
  fi
}
notice() {  # notice FILE TITLE LATEST FLAG: the six fields, GBK
  printf 'title=%s|<br>version=%s|<br>link=%s|<br>author=A|<br>log=C|<br>force=%s|<br>' \
    "$2" "$3" "$link" "$4" | iconv -f UTF-8 -t GBK > "$1"
}

/usr/bin/python3 "$here/notice_make_png.py" "$d/logo.png" 120 40
# A query string: the link is kept whole after its first "=".
link="http://127.0.0.1:9/forum.php?mod=viewthread&tid=1"
notice "$d/optional.html" T 3 假
notice "$d/mandatory.html" T 3 真
notice "$d/current.html" T2 2 假

notice_server_start --notice "$d/optional.html" --logo "$d/logo.png"
run "optional update declined" update "$exe" 0 "$link"
notice_server_stop

notice_server_start --notice "$d/mandatory.html" --logo "$d/logo.png"
run "mandatory update declined" update "$exe" 1 "$link"
notice_server_stop

notice_server_start --notice "$d/current.html" --logo "$d/logo.png"
run "current version" current "$exe" "$link"
notice_server_stop

# A redirect to another host ("localhost" against 127.0.0.1, the same
# server) brings no notice, and a loop ends after 1 + 5 requests.
count() { grep -cx "$1" "$d/requests.log"; }
rm -f "$d/requests.log"
notice_server_start --logo "$d/logo.png" --log "$d/requests.log" \
  --redirect "/1.html=http://localhost:{port}/other.html" --file "/other.html=$d/mandatory.html"
run "notice redirected to another host" nonotice "$exe"
if [ "$(count /other.html)" -ne 0 ]; then
  echo "FAILED: the other host was asked"; failed=$((failed + 1))
fi
notice_server_stop

rm -f "$d/requests.log"
notice_server_start --logo "$d/logo.png" --log "$d/requests.log" --redirect "/1.html=/1.html"
run "notice redirected in a loop" nonotice "$exe"
echo "requests of /1.html: $(count /1.html)"
if [ "$(count /1.html)" -gt 6 ]; then
  echo "FAILED: more than 1 + 5 requests in the loop"; failed=$((failed + 1))
fi
notice_server_stop

NOTICE_SERVER="http://127.0.0.1:$(notice_closed_port)"
run "server stopped" offline "$exe" 6000

notice_server_start --stall --lifetime 60
run "server stalling" offline "$exe" 12000
notice_server_stop

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
