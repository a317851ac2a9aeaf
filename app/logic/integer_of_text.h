// The integer value of a size box's text.
#pragma once

#include <string>

namespace qrapp {

// Full-width GBK digits, signs and letters (0xA3 xx) are narrowed to ASCII
// and the full-width space (0xA1 0xA1) to a blank; then leading white space,
// an optional sign and decimal digits up to the first non-digit are read.
// No digits give 0; values beyond 32 bits are clamped.
int IntegerOfText(const std::string &gbk);

}  // namespace qrapp
