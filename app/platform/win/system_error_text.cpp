#include "system_error_text.h"

#include <windows.h>

#include "text_codec.h"

namespace qrplatform {

std::string SystemErrorText(unsigned long code, unsigned codePage) {
  wchar_t *text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  std::wstring reason = length != 0 ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  if (reason.empty()) return "system error " + std::to_string(code);
  return qrtext::CodePageFromWide(codePage, reason);
}

}  // namespace qrplatform
