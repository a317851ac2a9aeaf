#pragma once
// The common controls' subclassing functions, bound by name from the system
// folder on first use. The program does not import COMCTL32.DLL: it is no
// KnownDLL, so an import would be looked for beside the program before the
// library search is restricted, and a planted copy would run there.
#include <windows.h>

#include <commctrl.h>  // after windows.h, which it needs

namespace qrwin {

struct WindowSubclassFunctions {
  decltype(&SetWindowSubclass) setSubclass;
  decltype(&RemoveWindowSubclass) removeSubclass;
  decltype(&DefSubclassProc) defaultProcedure;
};

// Bound once, on the first call; a missing function ends the program with
// the runtime's fatal message.
const WindowSubclassFunctions &WindowSubclass();

}  // namespace qrwin
