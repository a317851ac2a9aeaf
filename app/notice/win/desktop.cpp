#include "desktop.h"

// shellapi.h needs the declarations of windows.h first.
#include <windows.h>

#include <shellapi.h>

#include "web_address.h"

namespace notice::win {

void ShowInformation(const std::string &caption, const std::string &text) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

bool AskOkCancel(const std::string &caption, const std::string &text) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_TASKMODAL) == IDOK;
}

void OpenWebAddress(const std::string &address) {
  if (!IsWebAddress(address)) return;
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace notice::win
