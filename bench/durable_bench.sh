#!/usr/bin/env bash
# qrbatch's durable batch against another qrbatch (an earlier build, which
# renamed its files without flushing them) on a fresh journalled ext4 on a
# loop device: LINES lines (20210706001 onwards), -j 1, PAIRS pairs run in
# alternating order, each into an emptied file system after a sync, so the
# durable batch pays for getting its files onto the disk and the other does
# not. Prints every pair and the median of the ratios with their range.
# Needs root. Usage: bench/durable_bench.sh OTHER_QRBATCH [BUILD_DIR] [LINES] [PAIRS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
other=${1:?the qrbatch to compare with}
build=$(cd "${2:-$here/build}" && pwd)
count=${3:-10000}
pairs=${4:-8}
durable=$build/app/qrbatch/qrbatch
[ "$(id -u)" = 0 ] || { echo "needs root for a loop device" >&2; exit 2; }
work=$(mktemp -d /tmp/durable_bench.XXXXXX)
image=$work/ext4.img mount=$work/mnt
cleanup() {
  umount "$mount" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt"
truncate -s 2G "$image"
mkfs.ext4 -q -F "$image"
mkdir "$mount"
mount -o loop "$image" "$mount"
run() {
  rm -rf "${mount:?}"/out
  sync
  local start end
  start=$(date +%s.%N)
  "$1" -j 1 -o "$mount/out" "$work/lines.txt"
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
: > "$work/ratios"
for i in $(seq "$pairs"); do
  if [ $((i % 2)) = 0 ]; then a=$(run "$other"); b=$(run "$durable"); else b=$(run "$durable"); a=$(run "$other"); fi
  ratio=$(echo "scale=3; $b / $a" | bc)
  echo "pair $i: other $a s, durable $b s, ratio $ratio"
  echo "$ratio" >> "$work/ratios"
done
sort -n "$work/ratios" | awk '{ r[NR] = $1 } END {
  m = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
  printf "durable / other: median %.2f (range %.2f-%.2f), goal <= 1.3\n", m, r[1], r[NR] }'
