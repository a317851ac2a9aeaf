#!/usr/bin/env bash
# qrbatch.exe --format pdf under Wine: one PDF of label sheets whose labels
# decode to their content (pdftoppm, ZXingReader), whose GBK names come out
# as captions (pdftotext) in an embedded subset font (pdffonts), and no
# temporary file left. Needs the harness environment (WINEPREFIX,
# QR_WINDOWS_DIR, QR_TEST_TMP; an ANSI code page of 936).
set -u
exe="$QR_WINDOWS_DIR/app/qrbatch/qrbatch.exe"
d="$QR_TEST_TMP"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { echo "Z:${1//\//\\}"; }

names=(产品一号 保温杯750ml 雨伞-蓝色 P000004 P000005)
: > "$d/lines.utf8"
for i in "${!names[@]}"; do
  printf '%s\thttps://example.cn/g?id=%d\r\n' "${names[$i]}" "$i" >> "$d/lines.utf8"
done
iconv -f UTF-8 -t GBK "$d/lines.utf8" > "$d/lines.txt"

timeout 120 wine "$exe" --format pdf --first 2 -o "$(windows_path "$d/out")" \
  "$(windows_path "$d/lines.txt")" > "$d/stdout" 2> "$d/stderr"
status=$?
cat "$d/stderr"
check "exit status 0" [ "$status" -eq 0 ]
check "labels.pdf and nothing else" [ "$(ls -A "$d/out" | xargs)" = labels.pdf ]

text=$(pdftotext "$d/out/labels.pdf" - | tr -d ' \n')
for name in "${names[@]}"; do
  check "caption $name" grep -qF "$name" <<<"$text"
done
check "an embedded subset font" grep -Eq '^[A-Z]{6}\+.* yes +yes +yes' <(pdffonts "$d/out/labels.pdf")

# The default sheet: A4, 3 x 8 labels of 70 x 37 mm, 0.5 mm from the top;
# cell 0 is left free (--first 2).
pdftoppm -r 300 -f 1 -l 1 -gray "$d/out/labels.pdf" "$d/page"
px() { python3 -c "print(round($1 * 300 / 25.4))"; }
for i in "${!names[@]}"; do
  cell=$((i + 1))
  x=$(px "$((cell % 3)) * 70") y=$(px "0.5 + $((cell / 3)) * 37")
  convert "$d/page-1.pgm" -crop "$(px 70)x$(px 37)+$x+$y" +repage "$d/cell.png"
  check "label $cell decodes" [ "$(ZXingReader -bytes "$d/cell.png")" = "https://example.cn/g?id=$i" ]
done
convert "$d/page-1.pgm" -crop "$(px 70)x$(px 37)+0+$(px 0.5)" +repage -format '%[min]' info: > "$d/blank"
check "cell 0 left blank" [ "$(cat "$d/blank")" -gt 64000 ]

[ "$failures" -eq 0 ]
