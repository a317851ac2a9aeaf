#include "app_driver_support.h"

#include <cstdint>
#include <cstdio>

#include "main_window_layout.h"

namespace appdriver {

int failures = 0;

void Fail(const std::string &what) {
  ++failures;
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
}

bool Check(bool condition, const std::string &what) {
  if (!condition) Fail(what);
  return condition;
}

bool CheckEqual(const std::wstring &actual, const std::wstring &expected, const std::string &what) {
  if (actual == expected) return true;
  Fail(what + ": got \"" + Utf8(actual) + "\", expected \"" + Utf8(expected) + "\"");
  return false;
}

bool CheckEqual(long long actual, long long expected, const std::string &what) {
  if (actual == expected) return true;
  Fail(what + ": got " + std::to_string(actual) + ", expected " + std::to_string(expected));
  return false;
}

namespace {

std::wstring Decode(UINT codePage, const std::string &bytes) {
  if (bytes.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
  return text;
}

std::string Encode(UINT codePage, const std::wstring &text) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length,
                      nullptr, nullptr);
  return bytes;
}

struct DialogSearch {
  DWORD processId;
  std::wstring caption;
  HWND found;
};

BOOL CALLBACK FindDialogProc(HWND window, LPARAM parameter) {
  auto *search = reinterpret_cast<DialogSearch *>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if (processId == search->processId && std::wstring(className) == L"#32770" &&
      IsWindowVisible(window) &&
      (search->caption.empty() || WindowText(window) == search->caption)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct MainSearch {
  DWORD processId;  // 0: any process
  HWND found;
};

BOOL CALLBACK FindMainProc(HWND window, LPARAM parameter) {
  auto *search = reinterpret_cast<MainSearch *>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if ((search->processId == 0 || processId == search->processId) &&
      Utf8(className) == resources::kMainWindow.className && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring Wide(const std::string &utf8) { return Decode(CP_UTF8, utf8); }
std::string Utf8(const std::wstring &text) { return Encode(CP_UTF8, text); }
std::string Gbk(const std::wstring &text) { return Encode(936, text); }

std::string Hex(const std::string &bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex.empty() ? "-" : hex;
}

bool WaitFor(const std::function<bool()> &condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

bool FileExists(const std::wstring &path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

DWORD Attributes(const std::wstring &path) { return GetFileAttributesW(path.c_str()); }

std::string ReadWholeFile(const std::wstring &path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void RemoveFolderTree(const std::wstring &path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolderTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[4096] = L"";
  DWORD_PTR length = 0;
  // WM_GETTEXT is marshalled across processes; a time-out guards against a
  // busy application.
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                           10000, &length))
    return L"<no answer>";
  return std::wstring(buffer, length);
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

App::~App() { Kill(); }

bool App::Start(const std::wstring &exe) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_)) {
    Fail("cannot start " + Utf8(exe) + ", error " + std::to_string(GetLastError()));
    return false;
  }
  MainSearch search = {process_.dwProcessId, nullptr};
  WaitFor([&] {
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  main_ = search.found;
  return Check(main_ != nullptr, "main window appears");
}

bool App::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool App::Attach() {
  MainSearch search = {0, nullptr};
  WaitFor([&] {
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  if (!Check(search.found != nullptr, "main window appears")) return false;
  main_ = search.found;
  GetWindowThreadProcessId(main_, &process_.dwProcessId);
  process_.hProcess =
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE,
                  FALSE, process_.dwProcessId);
  return Check(process_.hProcess != nullptr, "the program's process opens");
}

int App::WaitExit(DWORD timeoutMs) {
  if (!process_.hProcess) return -1;
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

void App::Kill() {
  if (!process_.hProcess) return;
  if (Running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
  process_ = {};
  main_ = nullptr;
}

HWND App::Control(const char *name) const {
  const resources::ControlLayout *layout = resources::FindControlLayout(name);
  if (!layout || !main_) return nullptr;
  HWND parent = layout->parent ? Control(layout->parent) : main_;
  return parent ? GetDlgItem(parent, layout->id) : nullptr;
}

std::wstring App::Text(const char *name) const {
  HWND control = Control(name);
  return control ? WindowText(control) : L"<no control>";
}

void App::SetText(const char *name, const std::wstring &text) const {
  HWND control = Control(name);
  DWORD_PTR result = 0;
  if (!control ||
      !SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_NORMAL, 20000, &result))
    Fail(std::string("cannot set the text of ") + name);
}

void App::Click(const char *name) const {
  HWND control = Control(name);
  if (!control || !PostMessageW(control, BM_CLICK, 0, 0)) Fail(std::string("cannot click ") + name);
}

int App::Width(const char *name) const {
  HWND control = Control(name);
  if (!control) return -1;
  RECT rect;
  GetWindowRect(control, &rect);
  return rect.right - rect.left;
}

HWND App::FindDialog(const std::wstring &caption) const {
  DialogSearch search = {process_.dwProcessId, caption, nullptr};
  EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Dark pixels in the middle of a window, read from the screen.
int DarkPixelsIn(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = (rect.right - rect.left) / 2, height = (rect.bottom - rect.top) / 2;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, screen, rect.left + width / 2, rect.top + height / 2,
         SRCCOPY);
  GdiFlush();
  int dark = 0;
  const auto *pixels = static_cast<const std::uint32_t *>(bits);
  for (int i = 0; i < width * height; ++i)
    if ((pixels[i] & 0xFFFFFF) < 0x404040 && ((pixels[i] >> 8) & 255) < 64) ++dark;
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return dark;
}

bool App::AnswerMessageBox(std::wstring &text, DWORD timeoutMs) const {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindDialog()) != nullptr; }, timeoutMs)) return false;
  HWND message = GetDlgItem(box, 0xFFFF);  // the message box's text
  text = message ? WindowText(message) : L"";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
  return true;
}

}  // namespace appdriver
