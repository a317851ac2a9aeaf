#!/usr/bin/env bash
# QRCodeWin32.dll as shipped: the DLL and its test program alone in a folder,
# checked against files the native engine library writes for the same
# settings.
#   engine_dll.sh <native reference writer>
set -eu
d=$QR_TEST_TMP
mkdir -p "$d/native" "$d/dll"
"$1" "$d/native"
cp "$QR_WINDOWS_DIR/engine/QRCodeWin32.dll" "$QR_WINDOWS_DIR/tests/windows/engine_dll_test.exe" "$d/dll/"
native=$(printf 'Z:%s' "${d//\//\\}\\native")
exec timeout 120 wine "$d/dll/engine_dll_test.exe" "$native"
