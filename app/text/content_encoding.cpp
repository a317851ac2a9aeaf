#include "content_encoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace qrtext {

namespace {

constexpr int kEciUtf8 = 26;
constexpr int kEciGbk = 29;

bool HasHighByte(const std::string &bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 1;
    unsigned long code = lead;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    i += length;
  }
  return true;
}

#ifdef _WIN32
bool StrictGbk(std::string_view utf8, std::string &gbk) {
  gbk.clear();
  if (utf8.empty()) return true;
  const int size = static_cast<int>(utf8.size());
  const int wideLength =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, &wide[0], wideLength);
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                         nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  gbk.assign(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &gbk[0], length, nullptr,
                      &usedDefault);
  return !usedDefault;
}
#else
// iconv without transliteration stops at a character GBK lacks.
bool StrictGbk(std::string_view utf8, std::string &gbk) {
  gbk.clear();
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char *in = const_cast<char *>(utf8.data());
  size_t inLeft = utf8.size();
  bool ok = true;
  char buffer[256];
  while (inLeft > 0 && ok) {
    char *out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    gbk.append(buffer, sizeof buffer - outLeft);
    if (rc == static_cast<size_t>(-1) && outLeft == sizeof buffer) ok = false;
  }
  iconv_close(cd);
  return ok;
}
#endif

}  // namespace

bool EncodeContent(std::string_view utf8, ContentEncoding encoding, bool eciForGbk,
                   EncodedContent &out) {
  out = EncodedContent();
  switch (encoding) {
    case ContentEncoding::kRaw: out.bytes.assign(utf8.data(), utf8.size()); return true;
    case ContentEncoding::kGbk:
      if (!IsUtf8(utf8) || !StrictGbk(utf8, out.bytes)) return false;
      if (eciForGbk && HasHighByte(out.bytes)) out.eciDesignator = kEciGbk;
      return true;
    case ContentEncoding::kUtf8:
    case ContentEncoding::kUtf8NoEci:
      if (!IsUtf8(utf8)) return false;
      out.bytes.assign(utf8.data(), utf8.size());
      if (encoding == ContentEncoding::kUtf8 && HasHighByte(out.bytes))
        out.eciDesignator = kEciUtf8;
      return true;
  }
  return false;
}

}  // namespace qrtext
