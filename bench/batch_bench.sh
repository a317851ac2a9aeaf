#!/usr/bin/env bash
# The command-line batch against its floor and a peer, in one run:
#   qrbatch                 10,000 lines (20210706001 onwards), 200x200 images
#   floor                   batch_floor writing the same bytes under the same names
#   zint --batch --mirror   the same lines as BMP files (8-pixel modules)
# each into a fresh empty folder on the same file system, best of three.
# Usage: bench/batch_bench.sh [BUILD_DIR] [LINES] [PARENT]
#   PARENT: where the output folders are made (default BUILD_DIR); a tmpfs
#   such as /dev/shm takes the disk out of the comparison.
# Goal: qrbatch <= 1.25 x floor.
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

work=$(mktemp -d "${3:-$build}/batch_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt"

# Seconds (with fractions) one command takes, best of three, each run into
# a new empty folder.
best_of_three() {
  local best="" dir start end took
  for round in 1 2 3; do
    dir=$work/out.$1.$round
    mkdir "$dir"
    sync
    start=$(date +%s%N)
    "$1" "$dir" >/dev/null 2>&1 || { echo "failed: $1" >&2; exit 1; }
    end=$(date +%s%N)
    took=$((end - start))
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
    rm -rf "$dir"
  done
  echo "$best"
}

run_qrbatch() { "$qrbatch" -o "$1" "$work/lines.txt"; }
run_floor() { "$floor" "$work/lines.txt" "$work/template.jpg" "$1"; }
run_zint() { (cd "$1" && zint -b QRCODE --batch --mirror --filetype=bmp --scale=4 -i "$work/lines.txt"); }

# The floor writes exactly what qrbatch writes for one line.
mkdir "$work/one"
head -1 "$work/lines.txt" | "$qrbatch" -o "$work/one"
cp "$work/one/$(head -1 "$work/lines.txt").jpg" "$work/template.jpg"

t_floor=$(best_of_three run_floor)
t_qrbatch=$(best_of_three run_qrbatch)
t_zint=$(best_of_three run_zint)

awk -v n="$count" -v bytes="$(stat -c %s "$work/template.jpg")" \
    -v floor="$t_floor" -v qrbatch="$t_qrbatch" -v zint="$t_zint" 'BEGIN {
  printf "lines: %d, image: %d bytes\n", n, bytes
  printf "floor    %8.3f s\n", floor / 1e9
  printf "qrbatch  %8.3f s\n", qrbatch / 1e9
  printf "zint     %8.3f s\n", zint / 1e9
  printf "qrbatch / floor: %.2f (goal <= 1.25)\n", qrbatch / floor
  printf "zint / floor:    %.2f\n", zint / floor
}'
