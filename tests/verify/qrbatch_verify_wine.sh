#!/usr/bin/env bash
# qrbatch.exe --verify under Wine: a few lines in each format are written,
# read back before they get their names, and decode as their lines. A
# build without zxing-cpp's readers (QR_WINDOWS_VERIFY off) refuses the
# option with its reason, and this test is skipped (exit 77).
# Needs the harness environment (WINEPREFIX, QR_WINDOWS_DIR, QR_TEST_TMP).
set -u
exe="$QR_WINDOWS_DIR/app/qrbatch/qrbatch.exe"
d="$QR_TEST_TMP"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { echo "Z:${1//\//\\}"; }

printf '20210706001\r\nname\thttps://example.com/p?id=42\r\n测试数据\r\n' |
  iconv -f UTF-8 -t GBK > "$d/lines.txt"
for format in bmp png svg; do
  timeout 60 wine "$exe" -o "$(windows_path "$d/$format")" --format "$format" --verify -j 2 \
    "$(windows_path "$d/lines.txt")" > "$d/stdout" 2> "$d/stderr"
  status=$?
  cat "$d/stderr"
  if grep -q -- '--verify is not available' "$d/stderr"; then
    check "refused with its reason, exit status 2" [ "$status" -eq 2 ]
    [ "$failures" -eq 0 ] || exit 1
    echo "skipped: this qrbatch.exe is built without zxing-cpp (QR_WINDOWS_VERIFY=OFF)"
    exit 77
  fi
  check "$format: every line verified (status $status)" [ "$status" -eq 0 ]
  check "$format: three files" [ "$(ls "$d/$format" | wc -l)" -eq 3 ]
  file="$d/$format/name.$format"
  [ "$format" = svg ] && rsvg-convert "$file" -o "$d/name-svg.png" && file="$d/name-svg.png"
  decoded=$(convert "$file" -bordercolor white -border 40 png:- | zbarimg --raw -q -)
  check "$format: decodes to its line (got $decoded)" [ "$decoded" = "https://example.com/p?id=42" ]
done
[ "$failures" -eq 0 ]
