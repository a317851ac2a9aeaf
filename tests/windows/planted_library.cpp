// A library planted beside a program under a system library's name
// (WININET.DLL, COMCTL32.DLL). Loaded, it leaves "<its own path>.ran" behind,
// so a test can tell whether the program took it instead of the system's.
// The functions the program would call answer "offline" or "failed".
#include <windows.h>

#include <string>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 1] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return TRUE;
  const std::wstring marker = std::wstring(path) + L".ran";
  HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}

// WinINet.
__declspec(dllexport) BOOL WINAPI InternetGetConnectedState(DWORD *, DWORD) { return FALSE; }
__declspec(dllexport) void *WINAPI
    InternetOpenA(const char *, DWORD, const char *, const char *, DWORD) {
  return nullptr;
}
__declspec(dllexport) void *WINAPI
    InternetOpenUrlA(void *, const char *, const char *, DWORD, DWORD, DWORD_PTR) {
  return nullptr;
}
__declspec(dllexport) BOOL WINAPI HttpQueryInfoA(void *, DWORD, void *, DWORD *, DWORD *) {
  return FALSE;
}
__declspec(dllexport) BOOL WINAPI InternetReadFile(void *, void *, DWORD, DWORD *) { return FALSE; }
__declspec(dllexport) BOOL WINAPI InternetCloseHandle(void *) { return TRUE; }

// The common controls' subclassing.
__declspec(dllexport) BOOL WINAPI SetWindowSubclass(HWND, void *, UINT_PTR, DWORD_PTR) {
  return FALSE;
}
__declspec(dllexport) BOOL WINAPI RemoveWindowSubclass(HWND, void *, UINT_PTR) { return FALSE; }
__declspec(dllexport) LRESULT WINAPI
    DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
}
