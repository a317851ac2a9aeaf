# Paired, interleaved rounds for the batch benchmarks (sourced). Every round
# runs each program once, in an order rotated by one from the round before,
# each into a fresh empty folder; figures are medians over the rounds of
# per-round values, with their range, so a machine that is busy for a while
# moves both sides of a ratio alike.
# The caller defines run_NAME FOLDER for every program NAME and sets
# `count` (lines per run).

# Nanoseconds one run takes: time_one PROGRAM FOLDER.
time_one() {
  local start end
  mkdir "$2"
  sync
  start=$(date +%s%N)
  "run_$1" "$2" >/dev/null 2>&1 || { echo "failed: $1 into $2" >&2; exit 1; }
  end=$(date +%s%N)
  echo $((end - start))
}

# run_rounds RESULTS OUT ROUNDS PROGRAM...: one line "round program ns" per
# run into RESULTS, folders under OUT, and a line of µs per line per round.
run_rounds() {
  local results=$1 out=$2 rounds=$3 round turn program took line
  shift 3
  local programs=("$@")
  for ((round = 0; round < rounds; round++)); do
    line="round $((round + 1)):"
    for ((turn = 0; turn < ${#programs[@]}; turn++)); do
      program=${programs[$(((round + turn) % ${#programs[@]}))]}
      took=$(time_one "$program" "$out/$program.$round")
      echo "$round $program $took" >> "$results"
      line="$line $program $(awk -v t="$took" -v n="$count" 'BEGIN { printf "%.1f", t / n / 1e3 }')"
    done
    echo "$line us/line"
  done
}

# summarize RESULTS ITEM...: an ITEM "PROGRAM" prints its median µs per
# line; "LABEL|P|Q|NOTE" the median and range of the per-round ratio P / Q.
# Programs that did not run are left out.
summarize() {
  local results=$1
  shift
  printf '%s\n' "$@" | awk -v n="$count" -v results="$results" '
    BEGIN {
      while ((getline row < results) > 0) {
        split(row, f, " "); t[f[1], f[2]] = f[3]; if (f[1] + 1 > r) r = f[1] + 1; seen[f[2]] = 1
      }
    }
    function median(a, k,   i, j, x) {
      for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { x = a[i]; a[i] = a[j]; a[j] = x }
      return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
    }
    split($0, item, "|") == 1 {
      if (!(item[1] in seen)) next
      for (i = 0; i < r; i++) a[i + 1] = t[i, item[1]] / n / 1e3
      printf "  %-12s %7.1f us/line (median)\n", item[1], median(a, r)
      next
    }
    {
      if (!(item[2] in seen) || !(item[3] in seen)) next
      for (i = 0; i < r; i++) {
        a[i + 1] = t[i, item[2]] / t[i, item[3]]
        if (i == 0 || a[i + 1] < lo) lo = a[i + 1]
        if (i == 0 || a[i + 1] > hi) hi = a[i + 1]
      }
      printf "  %-26s %5.2f  (range %.2f to %.2f)%s\n", item[1], median(a, r), lo, hi, item[4]
    }'
}
