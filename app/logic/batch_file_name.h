// The file a batch line becomes: folder + separator + line + ".jpg", and the
// checks that keep it an ordinary file inside the folder.
#pragma once

#include <string>

namespace qrapp {

enum class NameFault {
  kNone,
  kOutsideFolder,  // absolute path, or a ".." folder component
  kInvalidName,    // ':' anywhere, a device name (CON, COM1, ...), a character
                   // Windows file names cannot hold (* ? " < > | control bytes)
};

struct BatchFileName {
  std::string path;  // empty unless fault == kNone
  NameFault fault = NameFault::kNone;
};

// Both '\' and '/' in the line separate folder components, as on Windows.
// `separator` joins folder and line and replaces '\' in the line ('/' on
// POSIX); GBK trail bytes are never taken for separators.
BatchFileName MakeBatchFileName(const std::string &folder, const std::string &line,
                                char separator = '\\');

}  // namespace qrapp
