#!/usr/bin/env bash
# The window's label sheets under Wine: label_sheet_driver.exe chooses
# 标签页 PDF in Set.ini before the start and runs a batch of two lines; the
# first label of labels.pdf decodes to its line's content (pdftoppm at
# 300 dpi, ZXingReader) and the captions are the lines' names (pdftotext).
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -uo pipefail
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/label_sheet_driver.exe
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

out=$tmp/标签 program=$tmp/program
mkdir -p "$program"
cp "$exe" "$program/"
timeout 240 wine "$driver" "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$out")"
check "the driver's checks" [ $? -eq 0 ]
pdf=$out/labels.pdf
check "labels.pdf" [ -s "$pdf" ]

# The default sheet: A4, 3 x 8 labels of 70 x 37 mm, 0.5 mm from the top.
pdftoppm -r 300 -f 1 -l 1 -gray "$pdf" "$tmp/page"
px() { python3 -c "print(round($1 * 300 / 25.4))"; }
convert "$tmp/page-1.pgm" -crop "$(px 70)x$(px 37)+0+$(px 0.5)" +repage "$tmp/cell.png"
check "the first label decodes" \
  [ "$(ZXingReader -bytes "$tmp/cell.png")" = "https://shop.example.com/product?id=000001" ]
text=$(pdftotext "$pdf" - | tr -d ' \n')
for name in 资产P000001 价格100; do
  check "caption $name" grep -qF "$name" <<<"$text"
done
[ "$failures" -eq 0 ]
