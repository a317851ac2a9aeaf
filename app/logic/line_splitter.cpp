#include "line_splitter.h"

#include <utility>

#include "file_lines.h"
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
  std::string line;
  filetext::LineCutter cutter;
  const char *next = bytes.data();
  const char *const end = next + bytes.size();
  while (next != end) {
    if (cutter.Take(next, end, line)) {
      lines.push_back(std::move(line));
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace qrapp
