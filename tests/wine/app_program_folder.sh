#!/usr/bin/env bash
# The batch generator loads its engine only from its own folder, found with
# the wide-character functions: from a folder named in Korean (which code
# page 936 cannot express, so the ANSI functions see '?') and from a folder
# path of more than 270 characters, the engine is deployed there, loaded
# from there and makes a preview there, although working copies lie in the
# current folder and on the PATH, where a search by bare name would find
# them. A folder in place of the engine ends the first generation with the
# fatal message all the same. The folders are on a drive Q: of their own,
# so that the root of the current drive can be checked for strays.
#   app_program_folder.sh
# Needs the harness environment (WINEPREFIX, DISPLAY, QR_WINDOWS_DIR, QR_TEST_TMP).
set -euo pipefail
tmp=$QR_TEST_TMP
exe=$QR_WINDOWS_DIR/app/win/QRBatchGenerator.exe
driver=$QR_WINDOWS_DIR/tests/windows/program_folder_driver.exe
engine=$QR_WINDOWS_DIR/engine/QRCodeWin32.dll

QRBATCH_NOTICE_SERVER=http://127.0.0.1:$(/usr/bin/python3 -c \
  'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export QRBATCH_NOTICE_SERVER

drive=$tmp/drive
mkdir -p "$drive"
link=$WINEPREFIX/dosdevices/q:
ln -sfn "$drive" "$link"
app_pid=
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  rm -f "$link"
}
trap cleanup EXIT

winpath() { local p=${1#"$drive"}; printf 'Q:%s' "${p//\//\\}"; }

# Planted engines: in the current folder and on the PATH.
mkdir -p "$drive/current" "$drive/path"
cp "$engine" "$drive/current/"
cp "$engine" "$drive/path/"
export WINEPATH='Q:\path'

# Starts the program from Q:\current (Wine's CreateProcessW takes no
# executable path beyond MAX_PATH, its command line does) and lets the
# driver check it.
status=0
check() {
  local mode=$1 program=$2
  (cd "$drive/current" && exec timeout 120 wine "$(winpath "$program")") &
  app_pid=$!
  timeout 120 wine "$driver" "$mode" "$(winpath "$program")" || status=1
  wait "$app_pid" || true
  app_pid=
}

# Korean: not in code page 936.
korean=$drive/프로그램
mkdir -p "$korean"
cp "$exe" "$korean/"
check loads "$korean/QRBatchGenerator.exe"

# Three folders of 90 characters: Q:\ + 3 x 91 = 276 characters.
long=$drive
for letter in a b c; do long=$long/$(printf "$letter%.0s" $(seq 90)); done
mkdir -p "$long"
cp "$exe" "$long/"
check loads "$long/QRBatchGenerator.exe"

refused=$drive/无引擎
mkdir -p "$refused/QRCodeWin32.dll"
cp "$exe" "$refused/"
check refuses "$refused/QRBatchGenerator.exe"

exit $status
