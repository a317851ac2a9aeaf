// UTF-8 of GBK bytes, so that tests can compare what the program shows with
// readable texts. Unconvertible bytes become '?'.
#pragma once

#include <string>

#include "iconv_text.h"

namespace qrtext {

inline std::string FromGbk(const std::string &gbk) { return IconvConvert(gbk, "GBK", "UTF-8"); }

}  // namespace qrtext
