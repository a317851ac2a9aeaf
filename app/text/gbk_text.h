// Conversion from UTF-8 to GBK (code page 936), independent of the
// machine's locale. Unconvertible characters become '?'.
#pragma once

#include <string>

namespace qrtext {

std::string ToGbk(const std::string &utf8);

}  // namespace qrtext
