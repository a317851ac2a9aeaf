#!/usr/bin/env bash
# The strict GBK conversions agree between the native build (iconv's CP936)
# and the Windows build (the system's code page 936, here Wine's): every
# BMP character and every byte pair, and the euro sign at 0x80.
#   gbk_table_wine.sh <native gbk_table_dump>
set -u
native=$1
exe="$QR_WINDOWS_DIR/tests/windows/gbk_table_dump.exe"
d="$QR_TEST_TMP"
"$native" > "$d/native.txt" || exit 1
wine "$exe" | tr -d '\r' > "$d/windows.txt" || exit 1
grep -qx 'U+20AC 80' "$d/native.txt" || { echo "native: the euro sign is not 0x80"; exit 1; }
if ! diff "$d/native.txt" "$d/windows.txt" > "$d/diff.txt"; then
  echo "FAILED: $(grep -c '^<' "$d/diff.txt") lines differ:"
  head -40 "$d/diff.txt"
  exit 1
fi
echo "ok: $(wc -l < "$d/native.txt") conversions agree"
