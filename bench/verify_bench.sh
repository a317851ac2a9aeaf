#!/usr/bin/env bash
# qrbatch --verify against the same batch without it, in one run:
#   plain, verify         qrbatch -j 1 (the window's .jpg bitmap files),
#                         LINES lines (20210706001 onwards), 200x200 images
#   png, png-verify       the same as PNG files
#   verify-j2             qrbatch -j 2 --verify
# in paired, interleaved rounds (paired_rounds.sh): medians of per-round
# values and ratios with their range. The read-back per image alone, on
# one core: verify_bench (Google Benchmark).
# Usage: bench/verify_bench.sh [BUILD_DIR] [LINES] [PARENT] [ROUNDS]
#   PARENT: where the output folders are made (default /dev/shm: the disk
#   out of the comparison). ROUNDS: default 7.
# Goals: verify - plain <= 500 us/line at -j 1; verify-j2 < verify on two
# idle cores (a loaded machine shows less).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/paired_rounds.sh"
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-5000}
rounds=${4:-7}
qrbatch=$build/app/qrbatch/qrbatch
[ -x "$qrbatch" ] || { echo "missing $qrbatch: cmake --build $build --target qrbatch" >&2; exit 2; }

work=$(mktemp -d "${3:-/dev/shm}/verify_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt"

run_plain() { "$qrbatch" -j 1 -o "$1" "$work/lines.txt"; }
run_verify() { "$qrbatch" -j 1 --verify -o "$1" "$work/lines.txt"; }
run_png() { "$qrbatch" -j 1 --format png -o "$1" "$work/lines.txt"; }
run_png-verify() { "$qrbatch" -j 1 --format png --verify -o "$1" "$work/lines.txt"; }
run_verify-j2() { "$qrbatch" -j 2 --verify -o "$1" "$work/lines.txt"; }

programs=(plain verify png png-verify verify-j2)
echo "lines: $count; rounds: $rounds; folders under ${3:-/dev/shm}"
results=$work/results
run_rounds "$results" "$work" "$rounds" "${programs[@]}"
echo "medians:"
summarize "$results" "${programs[@]}" \
  "verify / plain|verify|plain|" \
  "png-verify / png|png-verify|png|" \
  "verify-j2 / verify|verify-j2|verify| (two workers)"
# The added cost per line, per round (paired): median and range.
awk -v n="$count" '
  { t[$1, $2] = $3; if ($1 + 1 > r) r = $1 + 1 }
  END {
    for (pair = 0; pair < 2; pair++) {
      a = pair ? "png-verify" : "verify"; b = pair ? "png" : "plain"
      for (i = 0; i < r; i++) d[i + 1] = (t[i, a] - t[i, b]) / n / 1e3
      for (i = 1; i <= r; i++) for (j = i + 1; j <= r; j++) if (d[j] < d[i]) { x = d[i]; d[i] = d[j]; d[j] = x }
      m = r % 2 ? d[(r + 1) / 2] : (d[r / 2] + d[r / 2 + 1]) / 2
      printf "  added by --verify (%s): %.1f us/line (median; range %.1f to %.1f)\n", b, m, d[1], d[r]
    }
  }' "$results"
