// Splitting the batch input into lines at "\r\n", GBK-aware.
#pragma once

#include <string>
#include <vector>

namespace qrapp {

// A byte >= 0x80 is a lead byte stepped over together with the next one, so
// no separator is found inside a double-byte character. Empty input gives no
// lines; a trailing separator gives no empty last line; empty lines between
// separators are kept.
std::vector<std::string> SplitLines(const std::string &gbk);

}  // namespace qrapp
