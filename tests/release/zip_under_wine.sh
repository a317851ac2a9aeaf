#!/usr/bin/env bash
# The Windows zip as a user gets it, under Wine: unpacked into a folder with
# a Chinese name, every file in place, the version resources right, qrbatch
# run from there, and the batch generator started until its window shows
# and closed again.
#   zip_under_wine.sh <zip> <version>
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_TEST_TMP).
set -u
zip=$1 version=$2
source "$(dirname "$0")/release_checks.sh"

unpacked=$QR_TEST_TMP/批量二维码
unpack_zip "$zip" "$unpacked" || exit 1

expected="QRBatchGenerator.exe QRCodeWin32.dll licences/cairo-LGPL-2.1.txt licences/cairo-MPL-1.1.txt \
licences/cairo.txt licences/libpng.txt licences/pixman.txt licences/zlib.txt qrbatch.exe \
sdk/QRCodeWin32.h sdk/libQRCodeWin32.dll.a 使用说明.txt"
check "the zip holds exactly: $expected" \
  [ "$(cd "$unpacked" && find . -type f -size +0 | sed 's|^\./||' | LC_ALL=C sort | xargs)" = "$expected" ]
check "使用说明.txt: UTF-8 with a byte order mark" \
  [ "$(head -c 3 "$unpacked/使用说明.txt" | od -A n -t x1 | tr -d ' ')" = efbbbf ]
check "使用说明.txt: CR LF line ends only" \
  [ "$(grep -c $'\r$' "$unpacked/使用说明.txt")" = "$(wc -l < "$unpacked/使用说明.txt")" ]
check "libpng licence text" grep -q "PNG Reference Library License" "$unpacked/licences/libpng.txt"
check "zlib licence text" grep -q "Jean-loup Gailly and Mark Adler" "$unpacked/licences/zlib.txt"

# Version resources, read back by the resource compiler.
for file in QRBatchGenerator.exe qrbatch.exe QRCodeWin32.dll; do
  resources=$(i686-w64-mingw32-windres -i "$unpacked/$file" -O rc 2>&1)
  check "$file: FileVersion $version.0.0" grep -q "VALUE \"FileVersion\", \"$version.0.0\"" <<<"$resources"
  check "$file: ProductVersion $version" grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources"
  check "$file: OriginalFilename" grep -q "VALUE \"OriginalFilename\", \"$file\"" <<<"$resources"
done

# qrbatch.exe from the unpacked folder, into a Chinese-named destination.
printf '发布测试\r\nrelease-zip\r\n' | iconv -f UTF-8 -t GBK > "$QR_TEST_TMP/lines.txt"
(cd "$unpacked" && timeout 60 wine qrbatch.exe -o "$(winpath "$unpacked/输出")" \
   "$(winpath "$QR_TEST_TMP/lines.txt")")
status=$?
check "qrbatch.exe succeeds" [ "$status" -eq 0 ]
check "qrbatch.exe names a file in Chinese" [ -f "$unpacked/输出/发布测试.jpg" ]
check "qrbatch.exe writes a decodable file" [ "$(decoded "$unpacked/输出/release-zip.jpg")" = release-zip ]

# The batch generator from the same folder, as on a machine that never ran
# it (no working folder yet): its window appears, Esc closes it.
working_folder=$WINEPREFIX/drive_c/brelvanto
rm -rf "$working_folder"
cp "$unpacked/QRCodeWin32.dll" "$QR_TEST_TMP/shipped.dll"
(cd "$unpacked" && exec timeout 120 wine QRBatchGenerator.exe) &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --class QRBatchGenerator | head -1)
check "QRBatchGenerator.exe shows its window" [ -n "$window" ]
if [ -n "$window" ]; then
  xdotool windowfocus --sync "$window" key Escape
fi
wait "$app"
status=$?
check "QRBatchGenerator.exe ends on Esc" [ "$status" -eq 0 ]
check "its start-up makes C:\\brelvanto\\Set.ini" [ -f "$working_folder/Set.ini" ]
check "the shipped engine library is left as it is" cmp -s "$QR_TEST_TMP/shipped.dll" "$unpacked/QRCodeWin32.dll"
finish
