#include "native_caption_bytes.h"

#include <windows.h>

namespace qrcaption {

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::string Utf8OfNativeBytes(const std::string &bytes) {
  if (bytes.empty()) return bytes;
  // Bytes that are no GBK become the code page's default character: shown,
  // not dropped.
  const int count = static_cast<int>(bytes.size());
  const int wideLength = MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), count, nullptr, 0);
  if (wideLength <= 0) return bytes;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), count, &wide[0], wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return bytes;
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
  return utf8;
}

}  // namespace qrcaption
