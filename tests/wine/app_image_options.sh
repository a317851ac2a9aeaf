#!/usr/bin/env bash
# The window's image options under Wine: image_options_driver.exe sets PNG
# in Set.ini before the start, then captioned PNG files with fitted modules
# through the options dialog; ZXingReader reads every listed file back, and
# the caption band of a captioned file holds ink.
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/image_options_driver.exe

winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

out=$tmp/输出 work=$tmp/work program=$tmp/program
mkdir -p "$work" "$program"
cp "$exe" "$program/"
status=0
timeout 240 wine "$driver" "$(winpath "$program/QRBatchGenerator.exe")" "$(winpath "$out")" \
  "$(winpath "$work")" | tee "$work/driver.log" || status=1

while IFS=$'\t' read -r file text kind; do
  kind=${kind%$'\r'}  # the list is written in Windows text mode
  png=$tmp/decoded.png
  convert "$out/$file" -bordercolor white -border 40 "$png"
  got=$(ZXingReader "$png" | sed -n 's/^Text: *"\(.*\)"$/\1/p')
  if [ "$got" = "$text" ]; then echo "ok: $file reads as \"$got\""; else
    echo "FAIL: $file reads as \"$got\", expected \"$text\""; status=1
  fi
  # The bottom 15 % of the image (30 rows of 200) is the caption's band.
  band=$(convert "$out/$file" -gravity south -crop 200x30+0+0 -format '%[fx:mean]' info:)
  if [ "$kind" = caption ]; then
    awk -v m="$band" 'BEGIN { exit !(m < 0.98) }' && echo "ok: $file band holds ink ($band)" ||
      { echo "FAIL: $file band is blank ($band)"; status=1; }
  fi
done < "$work/decode.txt"
exit $status
