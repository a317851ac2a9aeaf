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
log=$(mktemp)
trap 'rm -f "$log"' EXIT
printf '%s\n' "${compiled[@]}" | xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet >"$log" 2>/dev/null || true
if grep -E 'warning:|error:' "$log"; then
  echo "clang-tidy found the above (.clang-tidy)" >&2
  exit 1
fi
echo "tidy: ${#compiled[@]} files pass"
