#!/usr/bin/env bash
# What two independent decoders (ZXingReader, zbarimg) read from qrbatch's
# PNG files for non-ASCII lines under each content encoding: a table to
# look at, not a test (the test suite asserts the UTF-8 row only; GBK
# refuses what it cannot hold, and readers differ on ECI-less bytes).
# Usage: bench/decoder_matrix.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
qrbatch=$build/app/qrbatch/qrbatch
[ -x "$qrbatch" ] || { echo "missing $qrbatch: cmake --build $build --target qrbatch" >&2; exit 2; }
for tool in ZXingReader zbarimg; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/decoder_matrix.XXXXXX")
trap 'rm -rf "$work"' EXIT
printf 'chinese\t华为 Mate 60 Pro\nlatin\tCafé Olé\nemoji\t表情😀 €\nkorean\t한국어 상품\n' > "$work/list.txt"

zxing_text() {
  ZXingReader "$1" 2>/dev/null | sed -n 's/^Text: *"\(.*\)"$/\1/p' | head -1
}
echo "encoding | line | ZXingReader | zbarimg"
for encoding in gbk gbk+eci utf-8 utf-8-noeci; do
  options=(--encoding "${encoding%+eci}")
  [ "$encoding" = gbk+eci ] && options+=(--eci)
  "$qrbatch" -o "$work/$encoding" --format png "${options[@]}" "$work/list.txt" 2>/dev/null || true
  while IFS=$'\t' read -r name text; do
    file=$work/$encoding/$name.png
    if [ ! -f "$file" ]; then
      echo "$encoding | $text | refused | refused"
      continue
    fi
    echo "$encoding | $text | $(zxing_text "$file") | $(zbarimg -q --raw "$file" 2>/dev/null)"
  done < "$work/list.txt"
done
