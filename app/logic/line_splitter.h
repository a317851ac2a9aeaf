// Splitting text into lines: the input box's rule and the text files' rule.
#pragma once

#include <string>
#include <vector>

namespace qrapp {

// A byte >= 0x80 is a lead byte stepped over together with the next one, so
// no separator is found inside a double-byte character. Empty input gives no
// lines; a trailing separator gives no empty last line; empty lines between
// separators are kept.
std::vector<std::string> SplitLines(const std::string &gbk);

// The lines of a text file (qrbatch's input, the settings file), by the
// rule of file_lines.h: each ends in LF, CR LF or a lone CR. No empty last
// line after a final line end; empty lines in between are kept.
std::vector<std::string> SplitFileLines(const std::string &bytes);

}  // namespace qrapp
