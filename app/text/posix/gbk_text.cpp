#include "gbk_text.h"

#include <iconv.h>

#include <cerrno>

#include "iconv_text.h"

namespace qrtext {

std::string IconvConvert(const std::string &text, const char *from, const char *to) {
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

std::string ToGbk(const std::string &utf8) { return IconvConvert(utf8, "UTF-8", "GBK"); }

}  // namespace qrtext
