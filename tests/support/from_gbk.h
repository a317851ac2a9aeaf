// UTF-8 of GBK bytes, converted by the C library's iconv, so that tests can
// compare what the program shows with readable texts. Unconvertible bytes
// become '?'.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <string>

namespace qrapp {

inline std::string FromGbk(const std::string &gbk) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) return gbk;
  std::string result;
  char buffer[256];
  char *in = const_cast<char *>(gbk.data());
  size_t inLeft = gbk.size();
  while (inLeft > 0) {
    char *out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    result.append(buffer, sizeof buffer - outLeft);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      result += '?';  // skip one input byte
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return result;
}

}  // namespace qrapp
