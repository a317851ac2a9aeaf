#!/usr/bin/env bash
# The shipped DLL's PE header, export and import tables:
#   dll_export_table.sh <objdump> <QRCodeWin32.dll>
# a 32-bit i386 DLL exporting exactly the fourteen plain names, importing
# only system DLLs (no mingw runtime DLLs).
set -u
dump=$("$1" -p "$2") || { echo "FAILED: objdump cannot read $2"; exit 1; }
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
has() { grep -Eq "$1" <<< "$dump"; }

check "PE32 image for i386" has 'file format pei-i386'
check "PE32 optional header" has '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)'
check "a DLL" has '^[[:space:]]+DLL$'

expected="QRAppearance QRConfigure QRCopyToClipboard QRGetActualRC QRGetActualSize QRGetPatternData QRRender QRSaveAsBMP QRSaveAsWMF QRSetBackColor QRSetBarColor QRSetDefault QRSetMessage QRSetSize"
# Rows of the name pointer table: "[   0] QRAppearance".
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<< "$dump" |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ' | sed 's/ $//')
check "exports exactly the fourteen plain names (got: $exports)" [ "$exports" = "$expected" ]

# Only DLLs every Windows has; a mingw runtime DLL (libgcc_s, libstdc++,
# libwinpthread) would not be found next to the application.
system_dlls=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll "
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<< "$dump" | tr 'A-Z' 'a-z' | tr '\n' ' ')
foreign=""
for dll in $imports; do
  [[ $system_dlls == *" $dll "* ]] || foreign="$foreign $dll"
done
check "imports system DLLs only (got: $imports)" [ -n "$imports" -a -z "$foreign" ]
exit $failures
