#include "folders.h"

#include <cerrno>

#include "posix_file_system.h"
#include "system_error.h"

namespace qrplatform {

char PathSeparator() { return '/'; }

bool EnsureFolder(const std::string &path, std::string &reason) {
  PosixFileSystem files;
  if (files.IsDirectory(path)) return true;
  errno = 0;
  if (files.CreateDirectories(path)) return true;
  reason = errno == EEXIST ? "a file of that name is in the way" : LastErrorText();
  return false;
}

}  // namespace qrplatform
