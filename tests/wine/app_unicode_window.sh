#!/usr/bin/env bash
# The window under code page 936 and under a Western code page (1252, from
# a locale made with localedef): unicode_window_driver.exe drives a batch
# into a Chinese folder that does not exist yet, changes the content
# encoding and restarts the program; ZXingReader reads the files back: the
# UTF-8 ones as a scanner shows them, the GBK ones as their bytes.
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/unicode_window_driver.exe

winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# A Western locale: en_US with UTF-8 gives Wine the ANSI code page 1252.
locales=$tmp/locales
mkdir -p "$locales"
localedef -i en_US -f UTF-8 "$locales/en_US.UTF-8" 2>/dev/null || true

# Decodes each listed file with a quiet zone added (the engine draws none).
decode_files() {
  local folder=$1 list=$2 status=0 file text how png got
  while IFS=$'\t' read -r file text how; do
    how=${how%$'\r'}  # the list is written in Windows text mode
    png=$tmp/decoded.png
    convert "$folder/$file" -bordercolor white -border 40 "$png"
    if [ "$how" = gbk ]; then
      # The bytes as they are (a scanner's guess of their character set aside).
      got=$(ZXingReader -bytes "$png" | iconv -f CP936 -t UTF-8 || true)
    else
      got=$(ZXingReader "$png" | sed -n 's/^Text: *"\(.*\)"$/\1/p')
    fi
    if [ "$got" != "$text" ]; then
      echo "FAIL: $file reads as \"$got\", expected \"$text\""
      status=1
    else
      echo "ok: $file reads as \"$got\""
    fi
  done < "$list"
  return $status
}

status=0
run_locale() {
  local name=$1  # $2: the ANSI code page the driver must report
  local parent=$tmp/$name/父目录 work=$tmp/$name/work program=$tmp/$name/程序
  mkdir -p "$parent" "$work" "$program"
  cp "$exe" "$program/"
  timeout 240 wine "$driver" batch "$(winpath "$program/QRBatchGenerator.exe")" \
    "$(winpath "$parent")" "$(winpath "$work")" | tee "$work/driver.log" || status=1
  grep -q "code page $2)" "$work/driver.log" || { echo "FAIL: not run under code page $2"; status=1; }
  decode_files "$parent/新建文件夹/输出" "$work/decode.txt" || status=1
  timeout 120 wine "$driver" restart "$(winpath "$program/QRBatchGenerator.exe")" \
    "$(winpath "$parent")" || status=1
}

echo "== code page 936"
run_locale cp936 936
echo "== code page 1252"
LOCPATH=$locales LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run_locale cp1252 1252 2>&1
exit $status
