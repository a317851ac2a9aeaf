#include "text_codec.h"

#include <windows.h>

namespace qrtext {

std::wstring WideFromCodePage(unsigned codePage, const std::string &bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, &text[0], length);
  return text;
}

std::string CodePageFromWide(unsigned codePage, const std::wstring &text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, text.data(), size, &bytes[0], length, nullptr, nullptr);
  return bytes;
}

std::wstring WideFromAnsi(const std::string &text) { return WideFromCodePage(CP_ACP, text); }

std::string AnsiFromWide(const std::wstring &text) { return CodePageFromWide(CP_ACP, text); }

}  // namespace qrtext
