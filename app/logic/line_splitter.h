// Splitting text into lines: the input box's rule and the text files' rule.
#pragma once

#include <string>
#include <vector>

namespace qrapp {

// The input box's UTF-8 text at each CR LF (no UTF-8 sequence holds CR or
// LF, so no pairing is needed). Empty input gives no lines; a trailing
// separator gives no empty last line; empty lines between separators are
// kept.
std::vector<std::string> SplitLines(const std::string &utf8);

// The lines of a text file (qrbatch's input, the settings file), by the
// rule of file_lines.h: each ends in LF, CR LF or a lone CR. No empty last
// line after a final line end; empty lines in between are kept.
std::vector<std::string> SplitFileLines(const std::string &bytes);

}  // namespace qrapp
