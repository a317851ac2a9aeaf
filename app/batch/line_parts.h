// A batch line split into the file name and the content it encodes.
#pragma once

#include <string>

namespace batch {

// A line with a TAB: bytes before the first TAB are the file name, bytes
// after it the content. Without TAB both are the whole line. 0x09 is never
// a GBK trail byte, so the first 0x09 byte separates.
struct LineParts {
  std::string name;
  std::string content;
};

LineParts SplitNameAndContent(const std::string &line);

}  // namespace batch
