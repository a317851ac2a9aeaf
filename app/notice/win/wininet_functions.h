#pragma once
// The WinINet functions the notice uses, bound by name from the system
// folder on first use. The program does not import WinINet: it is no
// KnownDLL, so an import would be looked for beside the program before the
// library search is restricted, and a planted WININET.DLL would run there.
#include <windows.h>
#include <wininet.h>

namespace notice::win {

struct WinInetFunctions {
  decltype(&InternetGetConnectedState) getConnectedState;
  decltype(&InternetOpenA) open;
  decltype(&InternetOpenUrlA) openUrl;
  decltype(&HttpQueryInfoA) queryInfo;
  decltype(&InternetReadFile) readFile;
  decltype(&InternetCloseHandle) closeHandle;
};

// Bound once, on the first call; a missing function ends the program with
// the runtime's fatal message.
const WinInetFunctions &WinInet();

}  // namespace notice::win
