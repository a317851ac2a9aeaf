#include "line_splitter.h"

#include "gbk_bytes.h"

namespace qrapp {

std::vector<std::string> SplitLines(const std::string &gbk) {
  std::vector<std::string> lines;
  const size_t n = gbk.size();
  size_t start = 0;
  size_t i = 0;
  while (i < n) {
    const unsigned char byte = static_cast<unsigned char>(gbk[i]);
    if (cp936::StartsBoxPair(byte)) {
      i += 2;  // lead byte and its trail byte
    } else if (byte == '\r' && i + 1 < n && gbk[i + 1] == '\n') {
      lines.emplace_back(gbk, start, i - start);
      i += 2;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.emplace_back(gbk, start, n - start);
  return lines;
}

std::vector<std::string> SplitFileLines(const std::string &bytes) {
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

}  // namespace qrapp
