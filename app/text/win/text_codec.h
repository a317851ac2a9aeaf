// Conversions between the wide texts of the user interface, the UTF-8 texts
// of the layout table and the 8-bit texts of the logic (GBK, code page 936)
// and of the system's ANSI functions (the ANSI code page).
#pragma once

#include <string>

namespace qrtext {

constexpr unsigned kGbkCodePage = 936;

std::wstring WideFromCodePage(unsigned codePage, const std::string &bytes);
std::string CodePageFromWide(unsigned codePage, const std::wstring &text);

inline std::wstring WideFromUtf8(const std::string &text) { return WideFromCodePage(65001, text); }
inline std::wstring WideFromGbk(const std::string &text) {
  return WideFromCodePage(kGbkCodePage, text);
}
inline std::string GbkFromWide(const std::wstring &text) {
  return CodePageFromWide(kGbkCodePage, text);
}
// For names and texts handed to the system's ANSI functions.
std::wstring WideFromAnsi(const std::string &text);
std::string AnsiFromWide(const std::wstring &text);

}  // namespace qrtext
