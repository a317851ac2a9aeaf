// The system's own words for a Windows error code, for the window (GBK) and
// the console programs (the ANSI code page) alike.
#pragma once

#include <string>

namespace qrplatform {

// The text in the given code page, without the line break the system ends
// it with, nor its final period: every caller puts it into a sentence of
// its own. "system error N" when the system has no text for the code.
std::string SystemErrorText(unsigned long code, unsigned codePage);

}  // namespace qrplatform
