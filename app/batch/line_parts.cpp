#include "line_parts.h"

namespace batch {

LineParts SplitNameAndContent(const std::string &line) {
  const size_t tab = line.find('\t');
  if (tab == std::string::npos) return {line, line};
  return {line.substr(0, tab), line.substr(tab + 1)};
}

}  // namespace batch
