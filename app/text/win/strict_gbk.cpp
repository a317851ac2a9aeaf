#include "strict_gbk.h"

#include <windows.h>

#include "utf8_text.h"

namespace qrtext {

namespace {

constexpr UINT kGbkCodePage = 936;

// The system maps GBK's user-defined areas (and 0xFF) to the Private Use
// Area, which iconv's CP936 leaves out: characters of no agreed meaning,
// which no scanner shows. Refused here too, so both builds agree.
bool HasPrivateUse(const std::u16string &units) {
  for (const char16_t unit : units)
    if (unit >= 0xE000 && unit <= 0xF8FF) return true;
  return false;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool GbkFromUtf8(std::string_view utf8, std::string &gbk) {
  gbk.clear();
  if (IsAscii(utf8)) {
    gbk.assign(utf8);
    return true;
  }
  std::u16string wide;
  if (!Utf16FromUtf8(utf8, wide) || HasPrivateUse(wide)) return false;
  const auto *units = reinterpret_cast<const wchar_t *>(wide.data());
  const int count = static_cast<int>(wide.size());
  // No best fit: a character without its own GBK form is refused, not
  // replaced by a look-alike or the default character.
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, units, count, nullptr,
                                         0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  gbk.resize(static_cast<size_t>(length));
  usedDefault = FALSE;
  WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, units, count, &gbk[0], length, nullptr,
                      &usedDefault);
  return !usedDefault;
}

bool Utf8FromGbk(std::string_view gbk, std::string &utf8) {
  utf8.clear();
  if (IsAscii(gbk)) {
    utf8.assign(gbk);
    return true;
  }
  const int size = static_cast<int>(gbk.size());
  const int length =
      MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
  if (length <= 0) return false;
  std::u16string wide(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size,
                      reinterpret_cast<wchar_t *>(&wide[0]), length);
  return !HasPrivateUse(wide) && Utf8FromUtf16(wide, utf8);
}

}  // namespace qrtext
