#!/usr/bin/env bash
# One PDF of label sheets from one CSV: qrbatch --format pdf against
# gLabels 3's batch front end (Debian package glabels) doing the same job:
# the common A4 sheet of 3 x 8 labels of 70 x 37 mm, a QR code of the
# second column and a caption of the first on each label
# (bench/sheet_bench.glabels for gLabels).
#   LABELS lines "P000001,https://shop.example.com/product?id=000001&ref=qr"
#   (qrbatch reads them with the comma turned into a TAB), ROUNDS rounds in
#   alternating order; per round the wall and CPU (user + system) seconds
#   of each, their ratios (CPU time is the fairer one on a busy machine),
#   the peak resident memory (GNU time's %M) and the PDF's bytes per label.
#   qrbatch is also run at a tenth of LABELS: its peak memory should not
#   grow with the labels (pages stream out as they fill).
# Usage: bench/sheet_bench.sh [BUILD_DIR] [LABELS] [ROUNDS] [PARENT]
#   defaults: build, 10000, 3, /dev/shm. Goal: gLabels / qrbatch >= 10.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
rounds=${3:-3}
qrbatch=$build/app/qrbatch/qrbatch
[ -x "$qrbatch" ] || { echo "missing $qrbatch: cmake --build $build --target qrbatch" >&2; exit 2; }
command -v glabels-3-batch >/dev/null || { echo "glabels-3-batch is missing (apt-get install glabels)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "GNU time is missing (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d "${4:-/dev/shm}/sheet_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
# gLabels keeps a copy of a document's sheet among the user's templates.
export XDG_CONFIG_HOME=$work/config
python3 - "$count" "$work" <<'PY'
import sys
count, work = int(sys.argv[1]), sys.argv[2]
with open(f"{work}/data.csv", "w") as csv, open(f"{work}/lines.txt", "w") as tab:
    for i in range(1, count + 1):
        name, url = f"P{i:06d}", f"https://shop.example.com/product?id={i:06d}&ref=qr"
        csv.write(f"{name},{url}\n")
        tab.write(f"{name}\t{url}\n")
    # A tenth as many, for the memory check.
with open(f"{work}/lines.txt") as tab, open(f"{work}/tenth.txt", "w") as tenth:
    for n, line in enumerate(tab):
        if n < max(1, count // 10): tenth.write(line)
PY

# "wall-seconds cpu-seconds kilobytes" of one run.
timed() { /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || { cat "$work/stderr" >&2; exit 1; }; awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/time"; }
run_qrbatch() { rm -rf "$work/q"; timed "$qrbatch" --format pdf -o "$work/q" "$1"; }
run_glabels() { rm -f "$work/g.pdf"; timed glabels-3-batch -i "$work/data.csv" -o "$work/g.pdf" "$here/bench/sheet_bench.glabels"; }

printf "%-6s %10s %10s %6s %10s %10s %6s %11s %11s\n" round "qrbatch s" "gLabels s" ratio \
  "qrb CPU s" "gLb CPU s" ratio "qrbatch KB" "gLabels KB"
ratios=() cpuRatios=()
for ((round = 1; round <= rounds; ++round)); do
  if ((round % 2)); then q=$(run_qrbatch "$work/lines.txt"); g=$(run_glabels)
  else g=$(run_glabels); q=$(run_qrbatch "$work/lines.txt"); fi
  read -r qs qc qk <<<"$q"
  read -r gs gc gk <<<"$g"
  ratio=$(python3 -c "print(f'{$gs / max($qs, 0.01):.1f}')")
  cpuRatio=$(python3 -c "print(f'{$gc / max($qc, 0.01):.1f}')")
  ratios+=("$ratio") cpuRatios+=("$cpuRatio")
  printf "%-6s %10s %10s %6s %10s %10s %6s %11s %11s\n" "$round" "$qs" "$gs" "$ratio" "$qc" "$gc" \
    "$cpuRatio" "$qk" "$gk"
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
echo "gLabels / qrbatch: wall $(median "${ratios[@]}"), CPU $(median "${cpuRatios[@]}") (medians of $rounds rounds)"
qpages=$(pdfinfo "$work/q/labels.pdf" | awk '/^Pages:/ {print $2}')
gpages=$(pdfinfo "$work/g.pdf" | awk '/^Pages:/ {print $2}')
echo "pages: qrbatch $qpages, gLabels $gpages"
echo "bytes per label: qrbatch $(( $(stat -c %s "$work/q/labels.pdf") / count )), gLabels $(( $(stat -c %s "$work/g.pdf") / count ))"
read -r _ _ tenthKb <<<"$(run_qrbatch "$work/tenth.txt")"
read -r _ _ fullKb <<<"$(run_qrbatch "$work/lines.txt")"
echo "qrbatch peak memory: $tenthKb KB at $((count / 10 > 0 ? count / 10 : 1)) labels, $fullKb KB at $count"
