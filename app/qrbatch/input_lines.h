// Lines of qrbatch's input.
#pragma once

#include <string>
#include <vector>

namespace qrbatch {

// Lines end in LF or CR LF. No empty last line after a final line end; empty
// lines in between are kept (each becomes the file ".jpg", as in the window).
std::vector<std::string> SplitInputLines(const std::string &bytes);

}  // namespace qrbatch
