#!/usr/bin/env bash
# The notice's downloader against a loopback server: normal bodies, bodies
# past their caps, redirects (followed on the same host, refused to another
# one, cut short in a loop), a stalling server and a closed port.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/notice_server_lib.sh"
trap notice_server_stop EXIT
exe="$QR_WINDOWS_DIR/tests/windows/notice_download_test.exe"
failed=0
run() {  # run NAME ARGS...: one scenario against $NOTICE_SERVER
  local name=$1; shift
  echo "== $name"
  if QRBATCH_NOTICE_SERVER="$NOTICE_SERVER" timeout 60 wine "$exe" "$@"; then
    echo "passed: $name"
  else
    echo "FAILED: $name"; failed=$((failed + 1))
  fi
}

d="$QR_TEST_TMP"
printf 't=T|<br>v=3|<br>u=http://127.0.0.1/|<br>a=A|<br>c=C|<br>m=x' > "$d/notice.html"
/usr/bin/python3 "$here/notice_make_png.py" "$d/logo.png" 120 40
head -c $((64 * 1024)) /dev/zero | tr '\0' 'n' > "$d/notice-at-cap.html"
head -c $((64 * 1024 + 1)) /dev/zero | tr '\0' 'n' > "$d/notice-over-cap.html"
head -c $((2 * 1024 * 1024)) /dev/urandom > "$d/logo-over-cap.png"
logo_size=$(stat -c %s "$d/logo.png")

notice_server_start --notice "$d/notice.html" --logo "$d/logo.png" --log "$d/requests.log"
run "notice and logo" online "$(stat -c %s "$d/notice.html")" "$logo_size"
if [ "$(tr '\n' ' ' < "$d/requests.log")" != "/ /1.html /static/image/common/logo.png " ]; then
  echo "FAILED: requests were: $(tr '\n' ' ' < "$d/requests.log")"; failed=$((failed + 1))
fi
notice_server_stop

notice_server_start --logo "$d/logo.png"
run "missing notice: the 404 body is the notice" online 22 "$logo_size"
notice_server_stop

notice_server_start --notice "$d/notice-at-cap.html" --logo "$d/logo-over-cap.png"
run "notice at its cap, logo past its cap" online $((64 * 1024)) -1
notice_server_stop

notice_server_start --notice "$d/notice-over-cap.html" --logo "$d/logo.png"
run "notice past its cap" online -1 "$logo_size"
notice_server_stop

# "localhost" is another host than 127.0.0.1 to the redirect rule, though
# both lead to this server.
count() { grep -cx "$1" "$d/requests.log"; }
rm -f "$d/requests.log"
notice_server_start --log "$d/requests.log" --redirect "/1.html=moved/1.html" \
  --file "/moved/1.html=$d/notice.html" --file "/logo2.png=$d/logo.png" \
  --redirect "/static/image/common/logo.png=http://127.0.0.1:{port}/logo2.png"
run "redirects on the same host are followed" online "$(stat -c %s "$d/notice.html")" "$logo_size"
notice_server_stop

rm -f "$d/requests.log"
notice_server_start --log "$d/requests.log" --logo "$d/logo.png" \
  --redirect "/1.html=http://localhost:{port}/other.html" --file "/other.html=$d/notice.html"
run "a redirect to another host is refused" online -1 "$logo_size"
if [ "$(count /other.html)" -ne 0 ]; then
  echo "FAILED: the other host was asked"; failed=$((failed + 1))
fi
notice_server_stop

rm -f "$d/requests.log"
notice_server_start --log "$d/requests.log" --logo "$d/logo.png" --redirect "/1.html=/1.html"
run "a redirect loop ends" online -1 "$logo_size"
echo "requests of /1.html: $(count /1.html)"
if [ "$(count /1.html)" -gt 6 ]; then
  echo "FAILED: more than 1 + 5 requests in the loop"; failed=$((failed + 1))
fi
notice_server_stop

notice_server_start --stall --lifetime 30
run "stalling server" offline 6500
notice_server_stop

NOTICE_SERVER="http://127.0.0.1:$(notice_closed_port)"
run "nothing listening" offline 6500

echo "$((9 - failed)) scenarios passed, $failed failed"
[ "$failed" -eq 0 ]
