#!/usr/bin/env bash
# The tree's gates beyond the compiler: every C and C++ file in the
# .clang-format style, and the .clang-tidy checks over every file the native
# build compiles (its compile_commands.json, BUILD_DIR or build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=${1:-build}

mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.h')
unformatted=()
for f in "${sources[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not in the .clang-format style (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: ${#sources[@]} files in style"

[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json: configure first" >&2; exit 1; }
# Files of this tree the build compiles (generated sources left out).
mapfile -t compiled < <(/usr/bin/python3 -c '
import json, sys
for f in sorted({e["file"] for e in json.load(open(sys.argv[1]))}): print(f)' "$build/compile_commands.json" \
  | grep "^$here/" | grep -v "^$(cd "$build" && pwd)/")
# Files that passed before, unchanged with everything they include, are not
# checked again (scripts/tidy_cache.py; QR_TIDY_CACHE empty: check all).
cache=${QR_TIDY_CACHE-${XDG_CACHE_HOME:-$HOME/.cache}/qrbatch/tidy}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "$cache" ]; then
  mkdir -p "$cache"
  /usr/bin/python3 "$here/scripts/tidy_cache.py" "$build" "$here" "$cache" "${compiled[@]}" >"$work/pending"
else
  printf '%s\t-\n' "${compiled[@]}" >"$work/pending"
fi
# One log per file: a file's pass is kept only when its own log is clean.
cut -f1 "$work/pending" | awk -v work="$work" '{ print $0; print work "/" NR ".log" }' >"$work/jobs"
xargs -r -d '\n' -P "$(nproc)" -n 2 \
  sh -c 'clang-tidy -p "$0" --quiet "$1" >"$2" 2>/dev/null || true' "$build" <"$work/jobs"
paste "$work/pending" <(paste - - <"$work/jobs") | while IFS=$'\t' read -r file key _ logfile; do
  if grep -E 'warning:|error:' "$logfile"; then
    echo failed >>"$work/failed"
  elif [ "$key" != - ]; then
    : >"$cache/$key"
  fi
done
if [ -f "$work/failed" ]; then
  echo "clang-tidy found the above (.clang-tidy)" >&2
  exit 1
fi
echo "tidy: ${#compiled[@]} files pass ($(wc -l <"$work/pending") checked, the rest unchanged since they passed)"
