#include "input_lines.h"

namespace qrbatch {

std::vector<std::string> SplitInputLines(const std::string &bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    else if (end > start && bytes[end - 1] == '\r') --end;
    lines.emplace_back(bytes, start, end - start);
    start = next;
  }
  return lines;
}

}  // namespace qrbatch
