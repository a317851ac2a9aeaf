#!/usr/bin/env bash
# The window's batch over failing lines against as many good ones, under
# Wine (a benchmark, not a test).
#   bench/window_fail_bench.sh [BUILD_DIR] [LINES] [ROUNDS]
#   defaults: BUILD_DIR build, 10000 lines, 5 rounds.
# window_fail_bench_driver starts QRBatchGenerator.exe and, every round,
# runs a batch of good lines (serial numbers) and one of failing lines
# (URLs named by themselves: no valid file name) into fresh folders on
# /dev/shm, in alternating order; the failing batch is timed to its
# end-of-batch box, after its report file is written. The figure is the
# median of the rounds' failing / good ratios, with their range. Goal: 1.2.
# Runs under xvfb-run in a Wine prefix of its own (QR_BENCH_WINEPREFIX,
# default /tmp/qr_window_bench_wine.<uid>) and ends its wineserver at the end.
set -euo pipefail
trap 'echo "window_fail_bench.sh: failed at line $LINENO" >&2' ERR
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != --inside-xvfb ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 2; }
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" --inside-xvfb "$@"
fi
shift

build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
rounds=${3:-5}
windows=$build/windows
window_exe=${QR_WINDOW_EXE:-$windows/app/win/QRBatchGenerator.exe}
driver=$windows/tests/windows/window_fail_bench_driver.exe
for program in "$window_exe" "$driver"; do
  [ -f "$program" ] || { echo "missing $program: cmake --build $build (with the Windows half)" >&2; exit 2; }
done

export WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=${QR_BENCH_WINEPREFIX:-/tmp/qr_window_bench_wine.$(id -u)}
export QRBATCH_NOTICE_SERVER=http://127.0.0.1:9

work=$(mktemp -d /tmp/window_fail_bench.XXXXXX)
out=$(mktemp -d /dev/shm/window_fail_bench.XXXXXX)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work" "$out"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

seq 20210706001 $((20210706001 + count - 1)) > "$work/good.txt"
seq 1 "$count" | sed 's|^|https://example.com/p?id=|' > "$work/failing.txt"
mkdir -p "$work/program"
cp "$window_exe" "$work/program/QRBatchGenerator.exe"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >"$work/wineboot.log" 2>&1 || { echo "wineboot failed:" >&2; cat "$work/wineboot.log" >&2; exit 1; }
fi
wineserver -p
windows_path() { echo "Z:${1//\//\\}"; }

echo "window's batch, $count failing lines against $count good ones under Wine, $rounds rounds"
timeout $((rounds * 1200 + 120)) wine "$driver" "$(windows_path "$work/program/QRBatchGenerator.exe")" \
  "$(windows_path "$work/good.txt")" "$(windows_path "$work/failing.txt")" "$(windows_path "$out")" \
  "$rounds" | tr -d '\r' | tee "$work/rounds.txt"

last=$((rounds - 1))
[ -f "$out/f$last/批量生成报告.csv" ] || { echo "the failing batch wrote no report file" >&2; exit 1; }
echo "  report file of the last round: $(($(wc -l < "$out/f$last/批量生成报告.csv") - 1)) rows"
awk -v n="$count" '
  $1 == "round" { g[++r] = $4; f[r] = $6; x[r] = $6 / $4 }
  function median(a, k,   i, j, t) {
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
  }
  END {
    if (r == 0) { print "no round finished"; exit 1 }
    lo = hi = x[1]
    for (i = 1; i <= r; i++) { if (x[i] < lo) lo = x[i]; if (x[i] > hi) hi = x[i] }
    printf "  good     %8.0f ms (median, %.1f us/line)\n", median(g, r), median(g, r) * 1000 / n
    printf "  failing  %8.0f ms (median, %.1f us/line)\n", median(f, r), median(f, r) * 1000 / n
    printf "  failing / good  %.4f  (range %.4f to %.4f; goal at most 1.2)\n", median(x, r), lo, hi
  }' "$work/rounds.txt"
