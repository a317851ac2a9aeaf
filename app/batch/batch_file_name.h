// The file a batch line's name becomes: folder + separator + name +
// extension, and the checks that keep it an ordinary file inside the folder.
#pragma once

#include <string>

namespace batch {

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

// Both '\' and '/' in the name separate folder components, as on Windows.
// `separator` joins folder and name and replaces '\' in the name ('/' on
// POSIX); GBK trail bytes are never taken for separators. A UTF-8 name
// (`utf8`) has no such pairs: its bytes from 0x80 on are never ASCII.
BatchFileName MakeBatchFileName(const std::string &folder, const std::string &name,
                                char separator = '\\', const std::string &extension = ".jpg",
                                bool utf8 = false);

}  // namespace batch
