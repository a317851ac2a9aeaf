#!/usr/bin/env bash
# qrbatch.exe --format pdf under Wine: one PDF of label sheets whose labels
# decode to their content (pdftoppm, ZXingReader), whose GBK names come out
# as captions (pdftotext) in an embedded subset font (pdffonts), and no
# temporary file left; then a folder named beyond the ANSI code page, with
# UTF-8 input and the report file. Needs the harness environment (WINEPREFIX,
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

# A folder whose name the ANSI code page (936) cannot spell, UTF-8 input
# with a Korean caption and a URL line (no file name, a label all the
# same), and the report file: the PDF's file goes by its wide name.
w="$d/标签 한국어"
mkdir -p "$d/in"
printf '\xEF\xBB\xBF한국어\thttps://example.kr/a\r\nhttps://example.com/p?id=1\r\n' > "$d/in/list.txt"
timeout 120 wine "$exe" --format pdf --report "$(windows_path "$d/report.csv")" \
  -o "$(windows_path "$w")" "$(windows_path "$d/in/list.txt")" > "$d/stdout" 2> "$d/stderr"
status=$?
cat "$d/stderr"
check "Korean folder: exit status 0" [ "$status" -eq 0 ]
check "Korean folder: labels.pdf and nothing else" [ "$(ls -A "$w" | xargs)" = labels.pdf ]
text=$(pdftotext "$w/labels.pdf" - | tr -d ' \n')
for caption in 한국어 "https://example.com/p?id=1"; do
  check "caption $caption" grep -qF "$caption" <<<"$text"
done
check "report rows" [ "$(tr -d '\r' < "$d/report.csv")" = \
  "$(printf '\xEF\xBB\xBFline,name,status,reason\n1,한국어,written,\n2,https://example.com/p?id=1,written,')" ]
pdftoppm -r 300 -f 1 -l 1 -gray "$w/labels.pdf" "$d/korean"
contents=("https://example.kr/a" "https://example.com/p?id=1")
for cell in 0 1; do
  convert "$d/korean-1.pgm" -crop "$(px 70)x$(px 37)+$(px "$cell * 70")+$(px 0.5)" +repage "$d/cell.png"
  check "Korean folder: label $cell decodes" [ "$(ZXingReader -bytes "$d/cell.png")" = "${contents[$cell]}" ]
done

[ "$failures" -eq 0 ]
