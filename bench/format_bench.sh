#!/usr/bin/env bash
# qrbatch's PNG and SVG files against its bitmap files, zint and the
# file-system floor, in one run:
#   bmp, png, svg        qrbatch --format ... -j 1, 10,000 lines
#                        (20210706001 onwards), 200x200 images
#   bmp-j2               the bitmap batch with two workers
#   floor-png, floor-svg batch_floor whole writing one of qrbatch's PNG (SVG) files
#                        under each line's name: the same number of files of
#                        the same size, and nothing else
#   zint-png, zint-svg   zint --batch with our recipe (mask 4, level L,
#                        8-pixel modules) to PNG and SVG
# each into a fresh empty folder on the same file system, three rounds, the
# programs taking turns within a round; the best round of each counts. The
# folders stay until the end (see batch_bench.sh on deleting between runs).
# Usage: bench/format_bench.sh [BUILD_DIR] [LINES] [PARENT]
#   PARENT: where the output folders are made (default BUILD_DIR); /dev/shm
#   takes the disk out of the comparison.
# Goals: png <= 1.5 x bmp; zint-png >= 3 x png; zint-svg >= 3 x svg;
# bmp-j2 <= 0.6 x bmp on two idle cores (a loaded machine shows less).
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

work=$(mktemp -d "${3:-$build}/format_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt"

run_bmp() { "$qrbatch" -j 1 --format bmp -o "$1" "$work/lines.txt"; }
run_png() { "$qrbatch" -j 1 --format png -o "$1" "$work/lines.txt"; }
run_svg() { "$qrbatch" -j 1 --format svg -o "$1" "$work/lines.txt"; }
run_bmp-j2() { "$qrbatch" -j 2 --format bmp -o "$1" "$work/lines.txt"; }
run_floor-png() { "$floor" whole "$work/lines.txt" "$work/template.png" "$1"; }
run_floor-svg() { "$floor" whole "$work/lines.txt" "$work/template.svg" "$1"; }
zint_batch() {  # zint_batch FOLDER TYPE
  (cd "$1" && zint -b QRCODE --batch --filetype="$2" --mask=4 --secure=1 --scale=4 -i "$work/lines.txt")
}
run_zint-png() { zint_batch "$1" png; }
run_zint-svg() { zint_batch "$1" svg; }

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

# The floors write files of exactly the size qrbatch writes for a line.
mkdir "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" --format png -o "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" --format svg -o "$work/one"
cp "$work/one/$(head -1 "$work/lines.txt").png" "$work/template.png"
cp "$work/one/$(head -1 "$work/lines.txt").svg" "$work/template.svg"

programs="bmp bmp-j2 png svg floor-png floor-svg zint-png zint-svg"
declare -A best
for round in 1 2 3; do
  line="round $round:"
  for program in $programs; do
    took=$(time_one "$program" "$round")
    line="$line $program $(awk -v t="$took" 'BEGIN { printf "%.3f", t / 1e9 }')"
    if [ -z "${best[$program]:-}" ] || [ "$took" -lt "${best[$program]}" ]; then best[$program]=$took; fi
  done
  echo "$line"
done

echo "lines: $count; PNG $(stat -c %s "$work/template.png") bytes, SVG $(stat -c %s "$work/template.svg") bytes; folders under $work"
for program in $programs; do
  awk -v name="$program" -v t="${best[$program]}" -v n="$count" \
    'BEGIN { printf "%-10s %8.3f s  %7.1f us/line\n", name, t / 1e9, t / n / 1e3 }'
done
awk -v bmp="${best[bmp]}" -v bmp2="${best[bmp-j2]}" -v png="${best[png]}" -v svg="${best[svg]}" \
    -v fpng="${best[floor-png]}" -v fsvg="${best[floor-svg]}" \
    -v zpng="${best[zint-png]}" -v zsvg="${best[zint-svg]}" 'BEGIN {
  printf "png / bmp:        %.2f (goal <= 1.5)\n", png / bmp
  printf "zint-png / png:   %.2f (goal >= 3)\n", zpng / png
  printf "zint-svg / svg:   %.2f (goal >= 3)\n", zsvg / svg
  printf "bmp-j2 / bmp:     %.2f (goal <= 0.6 on two idle cores)\n", bmp2 / bmp
  printf "png / floor-png:  %.2f\n", png / fpng
  printf "svg / floor-svg:  %.2f\n", svg / fsvg
}'
