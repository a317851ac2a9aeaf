// The integer value of a size box's text.
#pragma once

#include <string>

namespace qrapp {

// Full-width digits, signs and letters (U+FF01..U+FF5E) are narrowed to
// ASCII and the ideographic space (U+3000) to a blank; then leading white space,
// an optional sign and decimal digits up to the first non-digit are read.
// No digits give 0; values beyond 32 bits are clamped.
int IntegerOfText(const std::string &utf8);

}  // namespace qrapp
