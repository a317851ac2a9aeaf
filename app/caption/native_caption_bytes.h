// A caption's bytes as the line held them, in UTF-8: lines are UTF-8 on
// Linux and GBK on Windows (the program's code page).
#pragma once

#include <string>

namespace qrcaption {

std::string Utf8OfNativeBytes(const std::string &bytes);

}  // namespace qrcaption
