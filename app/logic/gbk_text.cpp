#include "gbk_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace qrapp {

#ifdef _WIN32

namespace {

constexpr UINT kGbk = 936;

std::string Convert(const std::string &text, UINT from, UINT to) {
  if (text.empty()) return std::string();
  const int wideLength =
      MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                      wideLength);
  const int length =
      WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wideLength, &result[0], length, nullptr, nullptr);
  return result;
}

}  // namespace

std::string ToGbk(const std::string &utf8) { return Convert(utf8, CP_UTF8, kGbk); }
std::string FromGbk(const std::string &gbk) { return Convert(gbk, kGbk, CP_UTF8); }

#else

namespace {

// Converts with iconv; a byte sequence it cannot take becomes '?'.
std::string Convert(const std::string &text, const char *from, const char *to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string result;
  char buffer[256];
  char *in = const_cast<char *>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char *out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    result.append(buffer, sizeof buffer - outLeft);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      result += '?';  // invalid or unconvertible: skip one input byte
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return result;
}

}  // namespace

std::string ToGbk(const std::string &utf8) { return Convert(utf8, "UTF-8", "GBK"); }
std::string FromGbk(const std::string &gbk) { return Convert(gbk, "GBK", "UTF-8"); }

#endif

}  // namespace qrapp
