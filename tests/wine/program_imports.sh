#!/usr/bin/env bash
# The shipped programs and the engine import only KnownDLLs: Windows maps
# those from the system folder whatever lies beside the program. Any other
# library is bound at run time by its full path in the system folder, after
# the library search is restricted; an import would be looked for in the
# program's own folder first, where a planted copy would run its DllMain.
#   program_imports.sh <windows build dir>
set -u
windows_dir=$1
objdump=$(command -v i686-w64-mingw32-objdump) || { echo "no i686-w64-mingw32-objdump"; exit 77; }

# The KnownDLLs of Windows 10 and 11 (Session Manager\KnownDLLs), and ntdll.
known=" advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll
  gdiplus.dll imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll
  ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll
  shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll "
known=$(echo $known)

failed=0
for binary in app/win/QRBatchGenerator.exe app/qrbatch/qrbatch.exe engine/QRCodeWin32.dll; do
  path="$windows_dir/$binary"
  [ -f "$path" ] || { echo "FAILED: $binary is missing"; failed=$((failed + 1)); continue; }
  imports=$("$objdump" -p "$path" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$binary imports: $(echo $imports)"
  [ -n "$imports" ] || { echo "FAILED: no import table read"; failed=$((failed + 1)); }
  for library in $imports; do
    case " $known " in
      *" $library "*) ;;
      *) echo "FAILED: $binary imports $library, which is no KnownDLL"; failed=$((failed + 1)) ;;
    esac
  done
done
[ "$failed" -eq 0 ]
