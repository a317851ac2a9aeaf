#!/usr/bin/env bash
# The window's batch against qrbatch.exe under Wine, over the same lines in
# the same prefix (a benchmark, not a test).
#   bench/window_bench.sh [BUILD_DIR] [LINES] [ROUNDS]
#   defaults: BUILD_DIR build, 2000 lines, 5 rounds.
# window_bench_driver starts QRBatchGenerator.exe from a folder of its own,
# fills its input box once and, every round, runs its batch (编辑框2 set to
# a fresh folder, 按钮2 clicked, timed until 透明标签6 shows every line
# written) and `qrbatch.exe -o DIR FILE` (default workers, timed from its
# start to its exit) into another fresh folder, and `qrbatch.exe -j 1` into
# a third, in an order that rotates from round to round. The figure is the
# median of the rounds' window / qrbatch ratios, with their range; the ratio
# to one worker shows what the window, which writes with one thread, costs
# beyond the file system's work. The last round's folders are compared
# file by file. Goal: 1.2 x.
# Lines: QR_BENCH_KIND=digits (11-digit serial numbers, version 1; the
# default) or gbk (产品编号 in GBK and a serial number, version 2).
# QR_WINDOW_EXE and QRBATCH_EXE name other programs to time (an earlier
# build, say). Runs under xvfb-run in a Wine prefix of its own
# (QR_BENCH_WINEPREFIX, default /tmp/qr_window_bench_wine.<uid>, made when
# missing) and ends its wineserver at the end. Output goes to /dev/shm:
# Wine looks every new name up case-blind through the folder, so both
# programs slow down as the folder fills, on any disk.
set -euo pipefail
trap 'echo "window_bench.sh: failed at line $LINENO" >&2' ERR
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != --inside-xvfb ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 2; }
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" --inside-xvfb "$@"
fi
shift

build=$(cd "${1:-$here/build}" && pwd)
count=${2:-2000}
rounds=${3:-5}
windows=$build/windows
window_exe=${QR_WINDOW_EXE:-$windows/app/win/QRBatchGenerator.exe}
qrbatch_exe=${QRBATCH_EXE:-$windows/app/qrbatch/qrbatch.exe}
driver=$windows/tests/windows/window_bench_driver.exe
for program in "$window_exe" "$qrbatch_exe" "$driver"; do
  [ -f "$program" ] || { echo "missing $program: cmake --build $build (with the Windows half)" >&2; exit 2; }
done

export WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=${QR_BENCH_WINEPREFIX:-/tmp/qr_window_bench_wine.$(id -u)}
# The program's online notice asks a closed loopback port.
export QRBATCH_NOTICE_SERVER=http://127.0.0.1:9

work=$(mktemp -d /tmp/window_bench.XXXXXX)
out=$(mktemp -d /dev/shm/window_bench.XXXXXX)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work" "$out"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

case ${QR_BENCH_KIND:-digits} in
  digits) seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt" ;;
  gbk) seq 20210706001 $((20210706001 + count - 1)) | sed 's/^/\xb2\xfa\xc6\xb7\xb1\xe0\xba\xc5/' > "$work/lines.txt" ;;
  *) echo "QR_BENCH_KIND is digits or gbk" >&2; exit 2 ;;
esac
mkdir -p "$work/program"
cp "$window_exe" "$work/program/QRBatchGenerator.exe"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed:" >&2; cat "$work/wineboot.log" >&2; exit 1; }
fi
wineserver -p  # one server for every run, as on a machine in use
windows_path() { echo "Z:${1//\//\\}"; }

echo "window's batch against qrbatch.exe under Wine: $count ${QR_BENCH_KIND:-digits} lines, $rounds rounds"
echo "  window:  $window_exe"
echo "  qrbatch: $qrbatch_exe"
timeout $((rounds * 1200 + 120)) wine "$driver" "$(windows_path "$work/program/QRBatchGenerator.exe")" \
  "$(windows_path "$qrbatch_exe")" "$(windows_path "$work/lines.txt")" "$(windows_path "$out")" "$rounds" \
  | tr -d '\r' | tee "$work/rounds.txt"

last=$((rounds - 1))
if ! diff -rq "$out/w$last" "$out/q$last" >/dev/null || ! diff -rq "$out/s$last" "$out/q$last" >/dev/null; then
  echo "the window's files and qrbatch's differ" >&2
  exit 1
fi
echo "  last round: $(ls "$out/w$last" | wc -l) files each, byte for byte the same"
awk -v n="$count" '
  $1 == "round" { w[++r] = $4; q[r] = $6; s[r] = $8; x[r] = $4 / $6; y[r] = $4 / $8 }
  function median(a, k,   i, j, t) {
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
  }
  END {
    if (r == 0) { print "no round finished"; exit 1 }
    lo = hi = x[1]; lo1 = hi1 = y[1]
    for (i = 1; i <= r; i++) {
      if (x[i] < lo) lo = x[i]; if (x[i] > hi) hi = x[i]; if (y[i] < lo1) lo1 = y[i]; if (y[i] > hi1) hi1 = y[i]
    }
    printf "  window        %8.0f ms (median, %.1f us/line)\n", median(w, r), median(w, r) * 1000 / n
    printf "  qrbatch       %8.0f ms (median, %.1f us/line)\n", median(q, r), median(q, r) * 1000 / n
    printf "  qrbatch -j 1  %8.0f ms (median, %.1f us/line)\n", median(s, r), median(s, r) * 1000 / n
    printf "  window / qrbatch       %.2f  (range %.2f to %.2f; goal 1.2)\n", median(x, r), lo, hi
    printf "  window / qrbatch -j 1  %.2f  (range %.2f to %.2f)\n", median(y, r), lo1, hi1
  }' "$work/rounds.txt"
