#!/usr/bin/env bash
# Captioned PNG labels against the plain PNG batch, in one run:
#   png          qrbatch --format png -j 1, LINES lines "P000001<TAB>P000001"
#                onwards, 200x200 images
#   png-caption  the same lines with a third column "资产编号 P000001" and
#                --caption column (one line of CJK and Latin text in a
#                30-row band)
#   png-j2, png-caption-j2  both with two workers
# in paired, interleaved rounds (paired_rounds.sh): medians of per-round
# ratios with their range, and the bytes of a file.
# Usage: bench/caption_bench.sh [BUILD_DIR] [LINES] [PARENT] [ROUNDS]
#   PARENT: where the output folders are made (default BUILD_DIR); /dev/shm
#   takes the disk out of the comparison. ROUNDS: default 7.
# Goal: png-caption <= 2 x png.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/paired_rounds.sh"
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
rounds=${4:-7}
qrbatch=$build/app/qrbatch/qrbatch
[ -x "$qrbatch" ] || { echo "missing $qrbatch: cmake --build $build --target qrbatch" >&2; exit 2; }

work=$(mktemp -d "${3:-$build}/caption_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
seq -f 'P%06g' 1 "$count" | awk '{ print $1 "\t" $1 }' > "$work/plain.txt"
seq -f 'P%06g' 1 "$count" | awk '{ print $1 "\t" $1 "\t资产编号 " $1 }' > "$work/captioned.txt"

run_png() { "$qrbatch" -j 1 --format png -o "$1" "$work/plain.txt"; }
run_png-caption() { "$qrbatch" -j 1 --format png --caption column -o "$1" "$work/captioned.txt"; }
run_png-j2() { "$qrbatch" -j 2 --format png -o "$1" "$work/plain.txt"; }
run_png-caption-j2() { "$qrbatch" -j 2 --format png --caption column -o "$1" "$work/captioned.txt"; }

mkdir "$work/one"
head -1 "$work/captioned.txt" | "$qrbatch" --format png --caption column -o "$work/one"
head -1 "$work/plain.txt" | "$qrbatch" --format png -o "$work/one/plain"
programs=(png png-caption png-j2 png-caption-j2)
echo "lines: $count; PNG $(stat -c %s "$work/one/plain/P000001.png") bytes plain," \
  "$(stat -c %s "$work/one/P000001.png") bytes captioned; $rounds rounds; folders under $work"
run_rounds "$work/results" "$work" "$rounds" "${programs[@]}"
summarize "$work/results" "${programs[@]}" \
  "png-caption / png:|png-caption|png|  goal <= 2" \
  "png-caption-j2 / png-j2:|png-caption-j2|png-j2|"
