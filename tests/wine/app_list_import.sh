#!/usr/bin/env bash
# Lists into the window: list_import_driver.exe imports Excel's Unicode
# text through 导入…, drops a file on the input box, runs thirty failed
# lines and a Wi-Fi line named by number; ZXingReader reads that file back.
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/list_import_driver.exe

winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

parent=$tmp/父目录 work=$tmp/work program=$tmp/程序
mkdir -p "$parent" "$work" "$program"
cp "$exe" "$program/"
status=0
timeout 240 wine "$driver" "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$parent")" \
  "$(winpath "$work")" || status=1

# Each listed file, with a quiet zone added (the engine draws none), read
# as its bytes, which are GBK.
while IFS=$'\t' read -r file text how; do
  how=${how%$'\r'}
  convert "$parent/输出/$file" -bordercolor white -border 40 "$tmp/decoded.png"
  got=$(ZXingReader -bytes "$tmp/decoded.png" | iconv -f CP936 -t UTF-8 || true)
  if [ "$got" != "$text" ]; then
    echo "FAIL: $file reads as \"$got\", expected \"$text\" ($how)"
    status=1
  else
    echo "ok: $file reads as \"$got\""
  fi
done < "$work/decode.txt"
exit $status
