#!/usr/bin/env bash
# qrbatch's PNG and SVG files against its bitmap files, zint and the
# file-system floor, in one run:
#   bmp, png, svg        qrbatch --format ... -j 1, LINES lines
#                        (20210706001 onwards), 200x200 images
#   bmp-j2               the bitmap batch with two workers
#   floor-png, floor-svg batch_floor whole writing one of qrbatch's PNG (SVG) files
#                        under each line's name: the same number of files of
#                        the same size, with qrbatch's guarantee (temporary
#                        name, then rename), and nothing else
#   zint-png, zint-svg   zint --batch with our recipe (mask 4, level L,
#                        8-pixel modules, no quiet zone, 2 modules of white
#                        space: the same 200x200 picture) to PNG and SVG
# in paired, interleaved rounds (paired_rounds.sh): medians of per-round
# ratios with their range. The folders stay until the end (see
# batch_bench.sh on deleting between runs).
# Usage: bench/format_bench.sh [BUILD_DIR] [LINES] [PARENT] [ROUNDS]
#   PARENT: where the output folders are made (default BUILD_DIR); /dev/shm
#   takes the disk out of the comparison. ROUNDS: default 7.
# Goals: png <= 1.5 x bmp; zint-png >= 3 x png; zint-svg >= 3 x svg;
# bmp-j2 <= 0.6 x bmp on two idle cores (a loaded machine shows less).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/paired_rounds.sh"
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
rounds=${4:-7}
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
  (cd "$1" && zint -b QRCODE --batch --mirror --filetype="$2" --mask=4 --secure=1 --scale=4 \
    --noquietzones --whitesp=2 --vwhitesp=2 -i "$work/lines.txt")
}
run_zint-png() { zint_batch "$1" png; }
run_zint-svg() { zint_batch "$1" svg; }

# The floors write files of exactly the size qrbatch writes for a line.
mkdir "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" --format png -o "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" --format svg -o "$work/one"
cp "$work/one/$(head -1 "$work/lines.txt").png" "$work/template.png"
cp "$work/one/$(head -1 "$work/lines.txt").svg" "$work/template.svg"

programs=(bmp bmp-j2 png svg floor-png floor-svg zint-png zint-svg)
echo "lines: $count; PNG $(stat -c %s "$work/template.png") bytes, SVG $(stat -c %s "$work/template.svg") bytes;" \
  "$rounds rounds; folders under $work"
run_rounds "$work/results" "$work" "$rounds" "${programs[@]}"
summarize "$work/results" "${programs[@]}" \
  "png / bmp:|png|bmp|  goal <= 1.5" \
  "zint-png / png:|zint-png|png|  goal >= 3" \
  "zint-svg / svg:|zint-svg|svg|  goal >= 3" \
  "bmp-j2 / bmp:|bmp-j2|bmp|  goal <= 0.6 on two idle cores" \
  "png / floor-png:|png|floor-png|" \
  "svg / floor-svg:|svg|floor-svg|"
