// Conversion between two of the C library's character sets by iconv,
// whatever the machine's locale. A byte sequence it cannot take becomes
// '?'; a character set iconv does not know leaves the text as it is.
#pragma once

#include <string>

namespace qrtext {

std::string IconvConvert(const std::string &text, const char *from, const char *to);

}  // namespace qrtext
