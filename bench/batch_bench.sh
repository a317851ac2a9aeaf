#!/usr/bin/env bash
# The command-line batch against its floor and a peer, in one run:
#   qrbatch                 10,000 lines (20210706001 onwards), 200x200 images
#   floor                   batch_floor writing the same bytes under the same names
#   zint --batch --mirror   the same lines as BMP files (8-pixel modules)
#   qrbatch.exe             the Windows build under Wine, when wine and the
#                           .exe are there (QRBATCH_EXE, default
#                           BUILD_DIR/windows/app/qrbatch/qrbatch.exe)
# each into a fresh empty folder on the same file system, three rounds, the
# programs taking turns within a round; the best round of each counts.
# Usage: bench/batch_bench.sh [BUILD_DIR] [LINES] [PARENT]
#   PARENT: where the output folders are made (default BUILD_DIR); a tmpfs
#   such as /dev/shm takes the disk out of the comparison.
# Goal: qrbatch <= 1.25 x floor.
#
# All output folders stay until the end. On ext4 without a journal, a file
# created within about a minute of many deletions in the same block group
# makes the kernel step over every recently freed inode; removing a round's
# 10,000 files before the next program runs would time that, not the program.
# For the same reason, leave a minute between two runs of this script on disk.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
qrbatch=$build/app/qrbatch/qrbatch
floor=$build/bench/batch_floor
for program in "$qrbatch" "$floor"; do
  [ -x "$program" ] || { echo "missing $program: cmake --build $build --target qrbatch batch_floor" >&2; exit 2; }
done
command -v zint >/dev/null || { echo "zint is not installed" >&2; exit 2; }

exe=${QRBATCH_EXE:-$build/windows/app/qrbatch/qrbatch.exe}
use_wine=0
if command -v wine >/dev/null && [ -f "$exe" ]; then use_wine=1; fi

work=$(mktemp -d "${3:-$build}/batch_bench.XXXXXX")
cleanup() {
  if [ "$use_wine" = 1 ]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt"

if [ "$use_wine" = 1 ]; then
  # A prefix of our own, made once (not timed) and kept for later runs; a
  # Chinese locale gives the ANSI code page 936 the program expects.
  export WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEPREFIX=${QR_BENCH_WINEPREFIX:-/tmp/qr_batch_bench_wine.$(id -u)}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then wineboot -i >/dev/null 2>&1; fi
  wineserver -p  # stays up between the runs, as on a machine in use
  windows_path() { echo "Z:${1//\//\\}"; }
  wine "$exe" --version >/dev/null 2>&1  # warm the prefix
fi

run_qrbatch() { "$qrbatch" -o "$1" "$work/lines.txt"; }
run_floor() { "$floor" "$work/lines.txt" "$work/template.jpg" "$1"; }
run_zint() { (cd "$1" && zint -b QRCODE --batch --mirror --filetype=bmp --scale=4 -i "$work/lines.txt"); }
run_wine() { wine "$exe" -o "$(windows_path "$1")" "$(windows_path "$work/lines.txt")"; }

# Nanoseconds one command takes, into a new empty folder.
time_one() {  # time_one NAME ROUND
  local dir=$work/out.$1.$2 start end
  mkdir "$dir"
  sync
  start=$(date +%s%N)
  "run_$1" "$dir" >/dev/null 2>&1 || { echo "failed: $1" >&2; exit 1; }
  end=$(date +%s%N)
  echo $((end - start))
}

# The floor writes exactly what qrbatch writes for one line.
mkdir "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" -o "$work/one"
cp "$work/one/$(head -1 "$work/lines.txt").jpg" "$work/template.jpg"

programs="floor qrbatch zint"
if [ "$use_wine" = 1 ]; then programs="$programs wine"; fi
declare -A best
for round in 1 2 3; do
  line="round $round:"
  for program in $programs; do
    took=$(time_one "$program" "$round")
    line="$line $program $(awk -v t="$took" 'BEGIN { printf "%.3f", t / 1e9 }') s"
    if [ -z "${best[$program]:-}" ] || [ "$took" -lt "${best[$program]}" ]; then best[$program]=$took; fi
  done
  echo "$line"
done

if [ "$use_wine" = 1 ]; then
  cmp -s "$work/template.jpg" "$work/out.wine.1/$(head -1 "$work/lines.txt").jpg" ||
    echo "note: qrbatch.exe wrote different bytes for the first line" >&2
fi

awk -v n="$count" -v bytes="$(stat -c %s "$work/template.jpg")" -v where="$work" \
    -v floor="${best[floor]}" -v qrbatch="${best[qrbatch]}" -v zint="${best[zint]}" \
    -v wine="${best[wine]:-}" 'BEGIN {
  printf "lines: %d, image: %d bytes, folders under %s\n", n, bytes, where
  printf "floor    %8.3f s  %7.1f us/line\n", floor / 1e9, floor / n / 1e3
  printf "qrbatch  %8.3f s  %7.1f us/line\n", qrbatch / 1e9, qrbatch / n / 1e3
  printf "zint     %8.3f s  %7.1f us/line\n", zint / 1e9, zint / n / 1e3
  if (wine != "") printf "qrbatch.exe under Wine %8.3f s  %7.1f us/line\n", wine / 1e9, wine / n / 1e3
  printf "qrbatch / floor: %.2f (goal <= 1.25)\n", qrbatch / floor
  printf "zint / floor:    %.2f\n", zint / floor
  if (wine != "") printf "qrbatch.exe under Wine / floor: %.2f\n", wine / floor
}'
