// Driving the batch generator from another process: start it, find its main
// window and controls, read and write texts, click, wait for conditions,
// answer its message boxes. Failures are counted and printed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace appdriver {

// ---- results ----
extern int failures;
void Fail(const std::string &what);
bool Check(bool condition, const std::string &what);
bool CheckEqual(const std::wstring &actual, const std::wstring &expected, const std::string &what);
bool CheckEqual(long long actual, long long expected, const std::string &what);

// ---- texts ----
std::wstring Wide(const std::string &utf8);
std::string Utf8(const std::wstring &text);
std::string Gbk(const std::wstring &text);  // code page 936 bytes
std::string Hex(const std::string &bytes);  // lower-case hex digits; "-" for none

// ---- waiting: polls `condition` until true or `timeoutMs` passed ----
bool WaitFor(const std::function<bool()> &condition, DWORD timeoutMs = 20000);

// ---- files ----
bool FileExists(const std::wstring &path);
DWORD Attributes(const std::wstring &path);  // INVALID_FILE_ATTRIBUTES when missing
std::string ReadWholeFile(const std::wstring &path);
void RemoveFolderTree(const std::wstring &path);

// ---- the application ----
class App {
 public:
  App() = default;
  App(const App &) = delete;
  App &operator=(const App &) = delete;
  ~App();  // ends a process still running

  // Starts exe in its own folder and waits for the main window.
  bool Start(const std::wstring &exe);
  // Waits for the main window of a batch generator someone else started
  // (any process) and takes that process as its own.
  bool Attach();
  bool Running() const;
  // Waits for the process to end; its exit code, or -1 on time-out.
  int WaitExit(DWORD timeoutMs = 20000);
  void Kill();

  HWND Main() const { return main_; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }
  // The control with the layout name, searched through the window tree.
  HWND Control(const char *name) const;

  std::wstring Text(const char *name) const;
  void SetText(const char *name, const std::wstring &text) const;  // WM_SETTEXT
  void Click(const char *name) const;                              // posted BM_CLICK
  int Width(const char *name) const;

  // A top-level dialog of the application (class #32770) with this caption,
  // or any caption when empty; nullptr when none is open.
  HWND FindDialog(const std::wstring &caption = L"") const;
  // Waits for a message box, returns its text and presses OK.
  bool AnswerMessageBox(std::wstring &text, DWORD timeoutMs = 20000) const;

 private:
  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};

std::wstring WindowText(HWND window);
// Dark pixels in the middle of a window, read from the screen.
int DarkPixelsIn(HWND window);
// Position and size of a window in its parent's client coordinates.
RECT RectInParent(HWND window);

}  // namespace appdriver
