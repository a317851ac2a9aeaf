#include "line_splitter.h"

#include <utility>

#include "file_lines.h"

namespace qrapp {

std::vector<std::string> SplitLines(const std::string &utf8) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = utf8.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.emplace_back(utf8, start, end - start);
  if (start < utf8.size()) lines.emplace_back(utf8, start, utf8.size() - start);
  return lines;
}

std::vector<std::string> SplitFileLines(const std::string &bytes) {
  std::vector<std::string> lines;
  std::string line;
  qrtext::LineCutter cutter;
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
