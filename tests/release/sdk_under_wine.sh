#!/usr/bin/env bash
# The zip's SDK as a Windows C developer uses it: a C99 program built with
# mingw-w64 against sdk\QRCodeWin32.h and sdk\libQRCodeWin32.dll.a, run under
# Wine beside the shipped QRCodeWin32.dll, and its bitmap read back.
#   sdk_under_wine.sh <zip> <C source>
# Needs the harness environment (WINEPREFIX, QR_TEST_TMP).
set -u
zip=$1 source=$2
source "$(dirname "$0")/release_checks.sh"

root=$QR_TEST_TMP/开发包
unpack_zip "$zip" "$root" || exit 1

check "C99 program builds against the import library" i686-w64-mingw32-gcc -std=c99 -pedantic \
  -Wall -Wextra -Werror -I"$root/sdk" "$source" -L"$root/sdk" -lQRCodeWin32 -o "$root/sdk_client.exe"
imports=$(i686-w64-mingw32-objdump -p "$root/sdk_client.exe")
check "it imports QRCodeWin32.dll by undecorated names" \
  grep -q -P '^\s+[0-9a-f]+\s+[0-9]+\s+QRSaveAsBMP$' <<<"$imports"
(cd "$root" && timeout 60 wine sdk_client.exe "$(winpath "$root/sdk.bmp")" "SDK from C, Windows")
status=$?
check "it runs beside the shipped DLL" [ "$status" -eq 0 ]
check "its bitmap decodes" [ "$(decoded "$root/sdk.bmp")" = "SDK from C, Windows" ]
finish
