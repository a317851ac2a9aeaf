#!/usr/bin/env bash
# qrbatch.exe under Wine writes captioned PNG and bitmap files through GDI:
# they decode to their content and their caption band holds the text.
# Needs the harness environment (WINEPREFIX, QR_WINDOWS_DIR, QR_TEST_TMP;
# an ANSI code page of 936).
set -u
exe="$QR_WINDOWS_DIR/app/qrbatch/qrbatch.exe"
d="$QR_TEST_TMP"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { echo "Z:${1//\//\\}"; }
# Mean lightness (0 black .. 1 white) of rows FROM..TO-1 of an image.
rows_mean() { convert "$1" -crop "x$(($3 - $2))+0+$2" +repage -format '%[fx:mean]' info:; }

printf 'P000001\thttps://shop.example.com/p?id=1\t资产编号 P000001\r\nplain\tno caption\r\n' |
  iconv -f UTF-8 -t GBK > "$d/lines.txt"
for format in png bmp; do
  timeout 60 wine "$exe" -o "$(windows_path "$d/$format")" --format "$format" --size 240x260 \
    --caption column "$(windows_path "$d/lines.txt")" > "$d/stdout" 2> "$d/stderr"
  status=$?
  cat "$d/stderr"
  check "$format: exit status 0" [ "$status" -eq 0 ]
  file="$d/$format/P000001.$format"
  decoded=$(convert "$file" -bordercolor white -border 40 png:- | zbarimg --raw -q -)
  check "$format: captioned file decodes (got $decoded)" [ "$decoded" = "https://shop.example.com/p?id=1" ]
  # 260 rows: the band is the bottom 39.
  band=$(rows_mean "$file" 221 260)
  check "$format: the band holds the caption (mean $band)" \
    awk -v m="$band" 'BEGIN { exit !(m < 0.97 && m > 0.5) }'
  plain=$(rows_mean "$d/$format/plain.$format" 221 260)
  check "$format: no caption, no ink (mean $plain)" awk -v m="$plain" 'BEGIN { exit !(m == 1) }'
done

[ "$failures" -eq 0 ]
